// Rows into a visible report-view list view: N rows, each inserted and given two cells through the ListView
// commands (as the generate action adds them, with pending messages handled after every row), against the same
// three messages sent straight to a bare list view with its redraw on, once in a visible window and once in a
// hidden one. Everything runs in one process, one after the other, for each N. Each run ends when the list is
// fully up to date on screen. A run that exceeds the time budget stops early and reports its rate so far.
//
//   list_view_bench [N ...] [--budget seconds]        (default: 1000 20000, budget 180 s per run)
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "commands/core_library.h"
#include "forms/form_description.h"
#include "forms/window_properties.h"
#include "runtime/facade.h"
#include "runtime/runtime.h"
#include "runtime/runtime_notify.h"
#include "units/extended_library.h"
#include "units/list_view.h"
#include "units/list_view_data.h"
#include "units/list_view_facade.h"
#include "units/list_view_properties.h"
#include "base/unit_interface.h"

namespace {

using namespace quarrow;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kWindowId = 0x52010001;
constexpr std::uint32_t kListId = 0x1601006B;
constexpr std::uint32_t kWindowRecordId = 0x06010000;
constexpr int kLeft = 10, kTop = 10, kWidth = 410, kHeight = 257;

const ListViewColumn kColumns[] = {{false, -1, 0, 60, "序号"}, {false, -1, 0, 350, "地址"}, {false, -1, 0, 50, ""}};

Bytes BenchForm() {
  forms::UnitRecord window;
  window.unit_type = forms::kWindowUnitType;
  window.left = 40;
  window.top = 40;
  window.width = 440;
  window.height = 320;
  window.state = forms::state_flag::kVisible;
  forms::WindowProperties wp;
  wp.title = "列表速度";
  wp.start_position = 0;
  window.properties = forms::SaveWindowProperties(wp);

  ListViewProperties lp;
  lp.view_type = list_view::kReport;
  lp.columns = WriteListViewColumns(kColumns);
  forms::UnitRecord list;
  list.unit_type = list_view::kUnitType;
  list.name = "超级列表框1";
  list.left = kLeft;
  list.top = kTop;
  list.width = kWidth;
  list.height = kHeight;
  list.state = forms::state_flag::kVisible | forms::state_flag::kTabStop;
  list.properties = lp.Save();

  forms::WindowDescription description;
  description.id = kWindowId;
  description.units.Append(kWindowRecordId, forms::EncodeUnitRecord(window));
  description.units.Append(kListId, forms::EncodeUnitRecord(list));
  forms::FormDescription form;
  form.windows = {description};
  return forms::WriteFormDescription(form);
}

const LibraryDescriptor* const kLibraries[] = {&kCoreLibrary, &kExtendedLibrary};
alignas(8) const HandlerSlot kNoHandlers[1] = {};

// What one row holds: its number and an address of a typical length.
struct RowTexts {
  char number[16];
  const char* address = "测试路 123号 幸福小区 4号楼 2单元 301室";
  void For(int row) { std::snprintf(number, sizeof number, "%d", row + 1); }
};

// Handles the pending messages, as the application does after every row.
void HandlePendingMessages() { TheRuntime().ProcessWaitingMessages(); }

// Watches the paints a list view gets, sitting in front of whatever procedure it has: how many, the longest time
// between two of them (or from the start to the first), and the time spent in them.
struct PaintWatch {
  static inline WNDPROC previous = nullptr;
  static inline int paints = 0;
  static inline Clock::time_point last_paint;
  static inline double longest_gap = 0;
  static inline double painting = 0;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_PAINT) return ::CallWindowProcA(previous, window, message, wparam, lparam);
    const Clock::time_point begin = Clock::now();
    longest_gap = std::max(longest_gap, std::chrono::duration<double>(begin - last_paint).count());
    last_paint = begin;
    ++paints;
    const LRESULT result = ::CallWindowProcA(previous, window, message, wparam, lparam);
    painting += std::chrono::duration<double>(Clock::now() - begin).count();
    return result;
  }
  explicit PaintWatch(HWND window) : window_(window) {
    paints = 0;
    longest_gap = 0;
    painting = 0;
    last_paint = Clock::now();
    previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintWatch::Procedure)));
  }
  ~PaintWatch() {
    if (::IsWindow(window_)) ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  }
  HWND window_;
};

struct Result {
  int rows = 0;
  double seconds = 0;
  int paints = 0;
  double longest_gap = 0;
  double painting = 0;
  bool stopped = false;
  double RowsPerSecond() const { return seconds > 0 ? rows / seconds : 0; }
  // While the rows arrive, before the list is finished on screen.
  void TakePaints() {
    paints = PaintWatch::paints;
    longest_gap = PaintWatch::longest_gap;
    painting = PaintWatch::painting;
  }
};

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Until nothing is left to paint: the loop's idle moment, then the platform's paint.
void FinishOnScreen(HWND list) {
  HandlePendingMessages();
  TheRuntime().RunIdleCallbacks();
  ::UpdateWindow(::GetParent(list));
  ::UpdateWindow(list);
}

Result ThroughCommands(int n, double budget) {
  const rt::UnitRef ref{list_view::kUnitType, kWindowId, kListId};
  auto* object = reinterpret_cast<UnitObject*>(RuntimeNotify(notify_code::kUnitObject, kWindowId, kListId));
  HWND list = object->Window();
  cmd::ListViewDeleteAllItems(ref);
  FinishOnScreen(list);
  PaintWatch watch(list);
  Result r;
  RowTexts texts;
  const Clock::time_point start = Clock::now();
  for (; r.rows < n; ++r.rows) {
    const std::int32_t row = cmd::ListViewInsertItem(ref);
    texts.For(row);
    cmd::ListViewSetItemText(ref, row, 0, texts.number);
    cmd::ListViewSetItemText(ref, row, 1, texts.address);
    HandlePendingMessages();
    if ((r.rows & 63) == 0 && Since(start) > budget) {
      r.stopped = true;
      break;
    }
  }
  r.TakePaints();
  FinishOnScreen(list);
  r.seconds = Since(start);
  return r;
}

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return ::DefWindowProcA(window, message, wparam, lparam);
}

Result Bare(int n, bool visible, double budget) {
  HWND frame = ::CreateWindowExA(0, "QuarrowBenchFrame", "列表速度", WS_OVERLAPPEDWINDOW, 500, 40, 440, 320, nullptr,
                                 nullptr, ::GetModuleHandleA(nullptr), nullptr);
  HWND list = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | LVS_REPORT | LVS_SINGLESEL,
                                kLeft, kTop, kWidth, kHeight, frame, reinterpret_cast<HMENU>(1),
                                ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP);
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.cx = kColumns[i].width;
    column.pszText = const_cast<char*>(kColumns[i].title.c_str());
    column.iSubItem = i;
    ::SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  if (visible) ::ShowWindow(frame, SW_SHOWNOACTIVATE);
  FinishOnScreen(list);
  PaintWatch watch(list);
  Result r;
  RowTexts texts;
  const Clock::time_point start = Clock::now();
  for (; r.rows < n; ++r.rows) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
    item.iItem = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>("");
    item.iImage = -1;
    const int row = static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    texts.For(row);
    LVITEMA cell = {};
    cell.pszText = texts.number;
    ::SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
    cell.iSubItem = 1;
    cell.pszText = const_cast<char*>(texts.address);
    ::SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
    HandlePendingMessages();
    if ((r.rows & 63) == 0 && Since(start) > budget) {
      r.stopped = true;
      break;
    }
  }
  r.TakePaints();
  FinishOnScreen(list);
  r.seconds = Since(start);
  ::DestroyWindow(frame);
  HandlePendingMessages();
  return r;
}

void Print(const char* what, const Result& r) {
  std::printf("  %-38s %6d rows %8.2f s %8.1f rows/s | %5.1f paints/s, longest gap %4.0f ms, %3.0f%% of the time%s\n",
              what, r.rows, r.seconds, r.RowsPerSecond(), r.seconds > 0 ? r.paints / r.seconds : 0.0,
              r.longest_gap * 1000, r.seconds > 0 ? 100 * r.painting / r.seconds : 0.0,
              r.stopped ? "  (stopped at the time budget)" : "");
}

}  // namespace

namespace quarrow::program {

extern const ProgramHeader kHeader = {3, 0, 0x000100D4, nullptr, nullptr, 0, nullptr, 0, 0, nullptr, 0, nullptr, nullptr};

std::int32_t StartRoutine() {
  std::vector<int> sizes;
  double budget = 180;
  for (int i = 1; i < __argc; ++i) {
    if (std::strcmp(__argv[i], "--budget") == 0 && i + 1 < __argc) {
      budget = std::atof(__argv[++i]);
    } else {
      sizes.push_back(std::atoi(__argv[i]));
    }
  }
  if (sizes.empty()) sizes = {1000, 20000};

  static const Bytes form = BenchForm();
  static ProgramHeader header;
  header = {3, 0, 0x000100D4, kNoHandlers, nullptr, 0, form.data(), static_cast<std::uint32_t>(form.size()),
            2, kLibraries, 0, nullptr, nullptr};
  TheRuntime().Initialise(header);
  rt::LoadStartWindow(kWindowId);
  WNDCLASSA frame = {};
  frame.lpfnWndProc = FrameProcedure;
  frame.hInstance = ::GetModuleHandleA(nullptr);
  frame.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frame.lpszClassName = "QuarrowBenchFrame";
  ::RegisterClassA(&frame);

  std::printf("Rows into a report-view list view: insert + two cells per row, pending messages handled per row\n");
  for (int n : sizes) {
    std::printf("N = %d\n", n);
    const Result commands = ThroughCommands(n, budget);
    Print("commands, visible window", commands);
    const Result visible = Bare(n, true, budget);
    Print("(a) bare list view, redraw on, visible", visible);
    const Result hidden = Bare(n, false, budget);
    Print("(b) bare list view, redraw on, hidden", hidden);
    std::printf("  commands / (b) hidden = %.2f   commands / (a) visible = %.1f   (a) / (b) = %.3f\n",
                commands.RowsPerSecond() / hidden.RowsPerSecond(), commands.RowsPerSecond() / visible.RowsPerSecond(),
                visible.RowsPerSecond() / hidden.RowsPerSecond());
    std::fflush(stdout);
  }
  ::DestroyWindow(reinterpret_cast<HWND>(RuntimeNotify(notify_code::kPlatformWindow, kWindowId, 0)));
  return 0;
}

}  // namespace quarrow::program
