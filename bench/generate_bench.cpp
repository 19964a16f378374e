// The generate action on the program's own visible main window, for each count asked for, against a bare Win32
// loop in the same process that does the same work per row directly: insert a row, set two cells, set the bar's
// position and a label's text, handle the pending messages, redraw always on. The bare loop runs for the first
// count only (it manages a few dozen rows a second under Wine). Paints are counted as the windows take WM_PAINT
// from the queue; the longest wait between two paints of the result list shows whether it kept painting.
//
//   generate_bench [count ...]         (default: 1000 99999)
//   generate_bench --steps [count ...]  the action's steps timed apart
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/address.h"
#include "app/generate_action.h"
#include "app/main_window.h"
#include "app/window_units.h"
#include "commands/core_facade.h"
#include "forms/runtime_parts.h"
#include "forms/window_map.h"
#include "runtime/facade.h"
#include "runtime/runtime.h"
#include "units/check_box_properties.h"
#include "units/edit_box_properties.h"
#include "units/label_properties.h"
#include "units/list_view_facade.h"
#include "units/process_bar_properties.h"
#include "units/unit_properties.h"

namespace {

using namespace quarrow;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Counts WM_PAINT as it leaves the queue: all windows of the thread, and one window of interest on its own.
struct PaintCounter {
  HWND watched = nullptr;
  long total = 0;
  long watched_paints = 0;
  Clock::time_point last_watched;
  double longest_gap = 0;

  void Reset(HWND window) {
    *this = PaintCounter{};
    watched = window;
    last_watched = Clock::now();
  }
  void Seen(HWND window) {
    ++total;
    if (window != watched) return;
    ++watched_paints;
    const Clock::time_point now = Clock::now();
    longest_gap = std::max(longest_gap, std::chrono::duration<double>(now - last_watched).count());
    last_watched = now;
  }
};
PaintCounter paints;
std::map<UINT, long> retrieved;  // messages by number, counted while the steps are timed
std::map<std::string, long> painted;  // paints by window class, counted while the steps are timed
std::string painted_this_call;        // the classes painted during one call of ProcessEvents, in order
bool counting_messages = false;

LRESULT CALLBACK CountPaints(int code, WPARAM wparam, LPARAM lparam) {
  const MSG* message = reinterpret_cast<const MSG*>(lparam);
  if (code == HC_ACTION && wparam == PM_REMOVE && message->message == WM_PAINT) paints.Seen(message->hwnd);
  if (code == HC_ACTION && wparam == PM_REMOVE && counting_messages) {
    ++retrieved[message->message];
    if (message->message == WM_PAINT) {
      char name[64] = {};
      ::GetClassNameA(message->hwnd, name, sizeof name);
      ++painted[name];
      painted_this_call += painted_this_call.empty() ? name : std::string("+") + name;
    }
  }
  return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

struct Run {
  int rows = 0;
  double seconds = 0;
  long paints = 0;
  long list_paints = 0;
  double longest_gap = 0;
};

void Print(const char* what, const Run& run) {
  std::printf("  %-28s %6d rows in %8.2f s = %8.1f rows/s; %6.1f paints/s, list %5.1f paints/s, longest wait %.2f s\n",
              what, run.rows, run.seconds, run.rows / run.seconds, run.paints / run.seconds,
              run.list_paints / run.seconds, run.longest_gap);
}

void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

HWND MainWindow() {
  const forms::WindowRecord* window = forms::TheWindowMap().Find(app::kMainWindowId);
  return window ? window->Hwnd() : nullptr;
}

BOOL CALLBACK TakeListView(HWND child, LPARAM out) {
  char name[64] = {};
  ::GetClassNameA(child, name, sizeof name);
  if (std::string(name) != WC_LISTVIEWA) return TRUE;
  *reinterpret_cast<HWND*>(out) = child;
  return FALSE;
}

// The result list is the window's only report-view list view.
HWND ResultListControl() {
  HWND found = nullptr;
  ::EnumChildWindows(MainWindow(), TakeListView, reinterpret_cast<LPARAM>(&found));
  return found;
}

Run ThroughTheGenerateAction(int count) {
  namespace u = app::units;
  cmd::ListViewDeleteAllItems(u::kResultList);
  rt::WriteText(u::kCountBox, PropertyIndex(edit_box::kText), std::to_string(count).c_str());
  Pump();
  paints.Reset(ResultListControl());
  const Clock::time_point start = Clock::now();
  app::Generate();
  // The run ends when the screen shows its end: the last rows and the label.
  Pump();
  ::UpdateWindow(MainWindow());
  Run run{cmd::ListViewItemCount(u::kResultList), SecondsSince(start), paints.total, paints.watched_paints,
          paints.longest_gap};
  const rt::Text label = rt::ReadText(u::kPercentLabel, PropertyIndex(label::kText));
  const rt::Text last = cmd::ListViewItemText(u::kResultList, run.rows - 1, 0);
  std::printf("  end state: label \"%s\", last row number \"%s\"\n", label.Get() ? label.Get() : "",
              last.Get() ? last.Get() : "");
  return run;
}

Run ThroughABareLoop(int count) {
  HWND frame = ::CreateWindowExA(0, "STATIC", "bare loop", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 480, 400,
                                 nullptr, nullptr, nullptr, nullptr);
  HWND list = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 10, 440,
                                260, frame, nullptr, nullptr, nullptr);
  HWND bar = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 10, 280, 380, 20, frame, nullptr,
                               nullptr, nullptr);
  HWND label = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 400, 280, 60, 20, frame, nullptr, nullptr,
                                 nullptr);
  LVCOLUMNA column = {};
  column.mask = LVCF_WIDTH | LVCF_TEXT;
  column.cx = 60;
  column.pszText = const_cast<char*>("序号");
  ::SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  column.cx = 350;
  column.pszText = const_cast<char*>("地址");
  ::SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
  ::SendMessageA(bar, PBM_SETRANGE32, 0, count);
  Pump();

  paints.Reset(list);
  const Clock::time_point start = Clock::now();
  for (int i = 1; i <= count; ++i) {
    LVITEMA item = {};
    item.iItem = i - 1;
    const int row = static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    ::SendMessageA(bar, PBM_SETPOS, i, 0);
    char percent[16];
    std::snprintf(percent, sizeof percent, "%.1f%%", i * 100.0 / count);
    ::SetWindowTextA(label, percent);
    Pump();
    const std::string number = std::to_string(i);
    const std::string address = "测试路 07号 苑小区 12号楼 3单元 456室";
    LVITEMA cell = {};
    cell.iSubItem = 0;
    cell.pszText = const_cast<char*>(number.c_str());
    ::SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
    cell.iSubItem = 1;
    cell.pszText = const_cast<char*>(address.c_str());
    ::SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
  }
  Pump();
  ::UpdateWindow(frame);
  Run run{count, SecondsSince(start), paints.total, paints.watched_paints, paints.longest_gap};
  ::DestroyWindow(frame);
  Pump();
  return run;
}

PROCESS_MEMORY_COUNTERS MemoryCounters() {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters;
}

// The generate action's steps one by one, timed apart: where a row's time goes, and how the working set grows.
void TimeTheSteps(int count) {
  struct Handling {
    long calls = 0;
    double seconds = 0;
  };
  std::map<std::string, Handling> handling_by_paints;
  {
    // What handling messages costs when there are none: the command, and the platform's peek alone.
    Pump();
    constexpr int kCalls = 2000;
    Clock::time_point start = Clock::now();
    for (int i = 0; i < kCalls; ++i) cmd::ProcessEvents();
    const double command = SecondsSince(start) * 1000 / kCalls;
    start = Clock::now();
    MSG message;
    for (int i = 0; i < kCalls; ++i) ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD);
    const double peek = SecondsSince(start) * 1000 / kCalls;
    std::printf("  with nothing waiting: ProcessEvents %.3f ms a call, one PeekMessage %.3f ms\n", command, peek);
  }
  namespace u = app::units;
  cmd::ListViewDeleteAllItems(u::kResultList);
  Pump();
  double seconds[8] = {};
  const char* const names[8] = {"insert row", "bar and label", "handle messages", "make address", "set cells",
                                "read bar maximum", "unit exists", "read boxes"};
  auto step = [&](int k, auto work) {
    const Clock::time_point start = Clock::now();
    work();
    seconds[k] += SecondsSince(start);
  };
  counting_messages = true;
  for (int i = 1; i <= count; ++i) {
    std::int32_t row = 0;
    rt::Text address;
    step(0, [&] { row = cmd::ListViewInsertItem(u::kResultList); });
    step(1, [&] {
      rt::WriteInt(u::kProgressBar, PropertyIndex(process_bar::kPosition), i);
      const rt::Text percent = cmd::NumberToFormattedText(i * 100.0 / count, 1, false);
      rt::WriteText(u::kPercentLabel, PropertyIndex(label::kText), rt::Join({percent, "%"}));
    });
    step(5, [&] { rt::ReadInt(u::kProgressBar, PropertyIndex(process_bar::kMaximum)); });
    painted_this_call.clear();
    const Clock::time_point handling = Clock::now();
    step(2, [&] { cmd::ProcessEvents(); });
    Handling& by_paints = handling_by_paints[painted_this_call.empty() ? "(no paint)" : painted_this_call];
    ++by_paints.calls;
    by_paints.seconds += SecondsSince(handling);
    step(6, [&] { cmd::UnitExists(u::kResultList); });
    step(7, [&] {
      rt::ReadLogical(u::kAutoModeBox, PropertyIndex(check_box::kChecked));
      rt::ReadText(u::kPrefixBox, PropertyIndex(edit_box::kText));
    });
    step(3, [&] { address = app::MakeAddress(true); });
    step(4, [&] {
      cmd::ListViewSetItemText(u::kResultList, row, 0, cmd::ToText(i));
      cmd::ListViewSetItemText(u::kResultList, row, 1, address);
    });
    if (i % 20000 == 0) {
      std::printf("  working set after %d rows: %.1f MB\n", i, MemoryCounters().WorkingSetSize / 1048576.0);
    }
  }
  counting_messages = false;
  std::printf("  messages handled:");
  for (const auto& [number, n] : retrieved) std::printf(" 0x%04X x%ld", number, n);
  std::printf("\n  paints by window class:");
  for (const auto& [name, n] : painted) std::printf(" %s x%ld", name.c_str(), n);
  std::printf("\n  handling messages, by what the call painted:");
  for (const auto& [what, h] : handling_by_paints) {
    std::printf("\n    %-40s %7ld calls, %7.3f ms a call, %6.2f s in all", what.c_str(), h.calls,
                h.seconds * 1000 / h.calls, h.seconds);
  }
  std::printf("\n  the steps of %d rows:", count);
  for (int k = 0; k < 8; ++k) std::printf(" %s %.2f ms/row;", names[k], seconds[k] * 1000 / count);
  std::printf("\n");
}

}  // namespace

namespace quarrow::program {

std::int32_t StartRoutine() {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::vector<int> counts;
  bool steps = false;
  for (int i = 1; i < __argc; ++i) {
    if (std::string(__argv[i]) == "--steps") {
      steps = true;
    } else {
      counts.push_back(std::atoi(__argv[i]));
    }
  }
  if (counts.empty()) counts = {1000, 99999};

  rt::InitialiseRuntime();
  rt::LoadStartWindow(app::kMainWindowId);
  HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, CountPaints, nullptr, ::GetCurrentThreadId());
  Pump();

  if (steps) {
    for (int count : counts) TimeTheSteps(count);
    ::UnhookWindowsHookEx(hook);
    if (HWND window = MainWindow()) ::DestroyWindow(window);
    return 0;
  }
  std::printf("The generate action on the visible main window against a bare loop doing the same per row\n");
  Run bare;
  for (std::size_t k = 0; k < counts.size(); ++k) {
    std::printf("count %d\n", counts[k]);
    const Run action = ThroughTheGenerateAction(counts[k]);
    Print("generate action", action);
    if (k == 0) {
      bare = ThroughABareLoop(counts[k]);
      Print("bare loop", bare);
      std::printf("  ratio (action rows/s : bare rows/s) at %d rows: %.1f\n", counts[k],
                  (action.rows / action.seconds) / (bare.rows / bare.seconds));
    } else {
      std::printf("  against the bare loop's rate: %.1f; bare loop's estimate for %d rows: %.0f s\n",
                  (action.rows / action.seconds) / (bare.rows / bare.seconds), counts[k],
                  counts[k] / (bare.rows / bare.seconds));
    }
    std::printf("  peak working set so far: %.1f MB\n", MemoryCounters().PeakWorkingSetSize / 1048576.0);
  }
  ::UnhookWindowsHookEx(hook);
  std::fflush(stdout);
  if (HWND window = MainWindow()) ::DestroyWindow(window);
  return 0;
}

}  // namespace quarrow::program
