#include "tests/support/modal_watchdog.h"

#include <algorithm>

#include "tests/support/pump.h"

namespace quarrow::testing {

std::string MessageBoxText(HWND box) {
  std::string text;
  for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char cls[32] = {};
    ::GetClassNameA(child, cls, sizeof cls);
    if (::lstrcmpiA(cls, "Static") != 0) continue;
    const std::string t = WindowText(child);
    if (t.empty()) continue;
    if (!text.empty()) text += "\n";
    text += t;
  }
  return text;
}

namespace {
struct BoxSearch {
  DWORD pid;
  Showing showing;
  std::vector<HWND>* boxes;
};

BOOL CALLBACK CollectBoxes(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<BoxSearch*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  char cls[16] = {};
  ::GetClassNameA(window, cls, sizeof cls);
  const bool counted = s->showing == Showing::kShownOrNot || ::IsWindowVisible(window);
  if (pid == s->pid && ::lstrcmpA(cls, "#32770") == 0 && counted) s->boxes->push_back(window);
  return TRUE;
}
}  // namespace

std::vector<HWND> OpenBoxes(DWORD process_id, Showing showing) {
  std::vector<HWND> boxes;
  BoxSearch search{process_id, showing, &boxes};
  ::EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&search));
  return boxes;
}

void PressButton(HWND dialog, int id) {
  HWND button = ::GetDlgItem(dialog, id);
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

ModalWatchdog::ModalWatchdog(DWORD process_id)
    : process_id_(process_id ? process_id : ::GetCurrentProcessId()),
      stop_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      thread_([this] { Run(); }) {}

ModalWatchdog::~ModalWatchdog() {
  ::SetEvent(stop_);
  thread_.join();
  ::CloseHandle(stop_);
}

void ModalWatchdog::Expect(const std::string& caption, Responder responder) {
  std::lock_guard<std::mutex> lock(mutex_);
  expected_.emplace_back(caption, std::move(responder));
}

void ModalWatchdog::ExpectAndPress(const std::string& caption, int button_id) {
  Expect(caption, [button_id](HWND box, const SeenBox&) {
    PressButton(box, button_id);
    return true;
  });
}

std::vector<SeenBox> ModalWatchdog::Seen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return seen_;
}

std::vector<SeenBox> ModalWatchdog::Unexpected() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return unexpected_;
}

std::size_t ModalWatchdog::Taken() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return taken_;
}

bool ModalWatchdog::WaitForBox(DWORD timeout_ms) const {
  return WaitUntil(
      [this] {
        std::lock_guard<std::mutex> lock(mutex_);
        return !seen_.empty();
      },
      timeout_ms);
}

void ModalWatchdog::Run() {
  while (::WaitForSingleObject(stop_, 50) == WAIT_TIMEOUT) {
    for (HWND box : OpenBoxes(process_id_)) Handle(box);
  }
}

void ModalWatchdog::Handle(HWND box) {
  std::vector<std::pair<std::string, Responder>> expected;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (std::find(handled_.begin(), handled_.end(), box) != handled_.end()) {
      if (::IsWindow(box)) return;
    }
    ++taken_;
    expected = expected_;
  }
  ::Sleep(100);  // let the box finish laying itself out
  if (!::IsWindow(box)) return;
  const SeenBox seen{WindowText(box), MessageBoxText(box)};
  bool answered = false;
  for (auto& [caption, responder] : expected) {
    if (caption == seen.caption) {
      answered = responder(box, seen);
      break;
    }
  }
  std::lock_guard<std::mutex> lock(mutex_);
  handled_.push_back(box);
  seen_.push_back(seen);
  if (!answered) {
    unexpected_.push_back(seen);
    // Dismiss it whatever it is: Cancel, or OK for a box without Cancel.
    HWND cancel = ::GetDlgItem(box, IDCANCEL);
    PressButton(box, cancel ? IDCANCEL : IDOK);
  }
}

}  // namespace quarrow::testing
