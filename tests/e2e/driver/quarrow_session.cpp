#include "tests/e2e/driver/quarrow_session.h"

#include <commctrl.h>

#include <utility>

#include "tests/e2e/driver/remote_controls.h"

namespace quarrow::e2e {

namespace {

// Where the window's units sit in its client area: the group box 分组框2 at (8, 8), and inside it 分组框1 at
// (128, 160).
constexpr int kInputX = 8, kInputY = 8;
constexpr int kGenerateX = kInputX + 128, kGenerateY = kInputY + 160;

bool IsHanzi(unsigned char lead, unsigned char trail) {
  return lead >= 0xB0 && lead <= 0xDA && trail >= 0xB0 && trail <= 0xDA;
}

// Reads a number of exactly `digits` digits in [low, high].
bool TakeNumber(std::string_view& s, std::size_t digits, int low, int high) {
  if (s.size() < digits) return false;
  int value = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    value = value * 10 + (s[i] - '0');
  }
  s.remove_prefix(digits);
  return value >= low && value <= high;
}

bool TakeHanzi(std::string_view& s, int count) {
  for (int i = 0; i < count; ++i) {
    if (s.size() < 2 || !IsHanzi(static_cast<unsigned char>(s[0]), static_cast<unsigned char>(s[1]))) return false;
    s.remove_prefix(2);
  }
  return true;
}

bool TakeLiteral(std::string_view& s, std::string_view literal) {
  if (s.substr(0, literal.size()) != literal) return false;
  s.remove_prefix(literal.size());
  return true;
}

}  // namespace

std::string QuarrowProgram() { return testing::ProgramFolder() + "..\\..\\app\\quarrow.exe"; }

bool IsAutoAddress(const std::string& text) {
  std::string_view s = text;
  return TakeHanzi(s, 2) && TakeLiteral(s, "路 ") && TakeNumber(s, 2, 3, 19) && TakeLiteral(s, "号 ") &&
         TakeHanzi(s, 1) && TakeLiteral(s, "小区 ") && TakeNumber(s, 2, 10, 99) && TakeLiteral(s, "号楼 ") &&
         TakeNumber(s, 1, 1, 9) && TakeLiteral(s, "单元 ") && TakeNumber(s, 3, 111, 999) && TakeLiteral(s, "室") &&
         s.empty();
}

QuarrowSession::QuarrowSession(const std::string& arguments)
    : process_(testing::ChildProcess::Start("\"" + QuarrowProgram() + "\"" + (arguments.empty() ? "" : " ") +
                                            arguments)) {
  if (!process_.Started()) return;
  watchdog_ = std::make_unique<testing::ModalWatchdog>(process_.Id());
  window_ = WaitForTopLevel(process_.Id(), "WTWindow", "Quarrow", 20000);
  if (window_ != nullptr) Activate(window_);
}

QuarrowSession::~QuarrowSession() {
  if (window_ != nullptr && ::IsWindow(window_)) Close();
}

std::optional<std::uint32_t> QuarrowSession::Close() {
  ::PostMessageA(window_, WM_CLOSE, 0, 0);
  auto code = process_.Wait(20000);
  window_ = nullptr;
  return code;
}

void QuarrowSession::Kill() {
  process_.Kill();
  window_ = nullptr;
}

bool QuarrowSession::Running() const {
  return process_.Started() && ::WaitForSingleObject(process_.Handle(), 0) == WAIT_TIMEOUT;
}

bool QuarrowSession::WaitUntilIdle(DWORD timeout_ms) {
  // A box that is not shown yet counts: the box shows itself only once its own loop runs.
  const auto quiet = [&] {
    return testing::OpenBoxes(process_.Id(), testing::Showing::kShownOrNot).empty() && ::IsWindowEnabled(window_);
  };
  // The program's thread answers a message sent to it whenever it looks for messages: in its message loop, or in
  // the loop of a box its handler opened. Had a box's loop answered, that box would exist after the answer, or
  // would have been closed by the watchdog, which counts a box before it answers it.
  return WaitUntil(
      [&] {
        const std::size_t taken = watchdog_->Taken();
        if (!quiet()) return false;
        DWORD_PTR answer = 0;
        if (::SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) == 0) return false;
        return quiet() && watchdog_->Taken() == taken;
      },
      timeout_ms);
}

HWND QuarrowSession::Find(const char* window_class, int left, int top) const {
  return FindControl(window_, window_class, left, top);
}

HWND QuarrowSession::CountBox() const { return Find("Edit", kGenerateX + 64, kGenerateY + 16); }
HWND QuarrowSession::PrefixBox() const { return Find("Edit", kInputX + 72, kInputY + 16); }
HWND QuarrowSession::GenerateButton() const { return Find("Button", kGenerateX + 80, kGenerateY + 48); }
HWND QuarrowSession::AutoModeBox() const { return Find("Button", kGenerateX + 8, kGenerateY + 48); }
HWND QuarrowSession::ClearButton() const { return Find("Button", 536, 280); }
HWND QuarrowSession::ExportButton() const { return Find("Button", 632, 280); }
HWND QuarrowSession::ResultList() const { return Find("SysListView32", 408, 14); }
HWND QuarrowSession::PercentLabel() const { return Find("_ZR_Label", kInputX + 224, kInputY + 72); }
HWND QuarrowSession::ProgressBar() const { return Find("msctls_progress32", kInputX + 128, kInputY + 72); }
HWND QuarrowSession::RoadEntry() const { return Find("Edit", kInputX + 16, kInputY + 72); }
HWND QuarrowSession::AddRoadButton() const { return Find("Button", kInputX + 68, kInputY + 47); }
HWND QuarrowSession::RoadList() const { return Find("ListBox", kInputX + 16, kInputY + 96); }
HWND QuarrowSession::CommunityEntry() const { return Find("Edit", kInputX + 280, kInputY + 72); }
HWND QuarrowSession::AddCommunityButton() const { return Find("Button", kInputX + 332, kInputY + 47); }
HWND QuarrowSession::CommunityList() const { return Find("ListBox", kInputX + 280, kInputY + 96); }

void QuarrowSession::TypeInto(HWND edit, const std::string& ascii) {
  ClickCentre(edit);
  TapKey(VK_END);
  TypeKeys(ascii);
}

void QuarrowSession::Generate(const std::string& count) {
  HWND box = CountBox();
  ClickCentre(box);
  ::SendMessageA(box, EM_SETSEL, 0, -1);
  TapKey(VK_DELETE);
  if (!count.empty()) TypeKeys(count);
  ClickCentre(GenerateButton());
}

bool QuarrowSession::WaitForRows(int rows, DWORD timeout_ms) {
  HWND list = ResultList();
  // A row is inserted before its texts are written: wait for the texts of the last one too.
  return WaitUntil(
      [&] {
        if (ListViewRowCount(list) < rows) return false;
        if (rows == 0) return true;
        const auto cells = ReadListViewRow(list, rows - 1, 1);
        return !cells.empty() && !cells[0].empty();
      },
      timeout_ms);
}

std::vector<std::vector<std::string>> QuarrowSession::Rows() const { return ReadListView(ResultList(), 3); }

std::vector<std::string> QuarrowSession::Column(int column) const {
  std::vector<std::string> cells;
  for (const auto& row : Rows()) cells.push_back(row[static_cast<std::size_t>(column)]);
  return cells;
}

}  // namespace quarrow::e2e
