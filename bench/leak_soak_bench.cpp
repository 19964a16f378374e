// A soak of the program's whole cycle on its own visible main window, through its buttons and handlers: generate
// the rows, export them through the save dialog (answered by a watchdog as a user would), clear the list; several
// rounds. After each round it records the process's private bytes and what is still alive on the runtime heap,
// and at the end compares every round with the first. A program that leaks grows round by round; one that does
// not settles after the first.
//
//   leak_soak_bench [rows per round] [rounds]        (default: 99999 5)
#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/window_units.h"
#include "commands/core_facade.h"
#include "forms/runtime_parts.h"
#include "forms/window_map.h"
#include "runtime/facade.h"
#include "runtime/runtime.h"
#include "runtime/runtime_notify.h"
#include "tests/e2e/driver/save_dialog.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/counting_heap.h"
#include "tests/support/modal_watchdog.h"
#include "units/edit_box_properties.h"
#include "units/list_view_facade.h"
#include "base/unit_interface.h"
#include "units/unit_properties.h"

namespace {

using namespace quarrow;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

HWND UnitWindow(std::uint32_t unit_id) {
  auto* object =
      reinterpret_cast<UnitObject*>(RuntimeNotify(notify_code::kUnitObject, app::kMainWindowId, unit_id));
  return object ? object->Window() : nullptr;
}

struct Memory {
  std::size_t private_bytes = 0;
  std::size_t working_set = 0;
};

// The process's private bytes. Windows fills PrivateUsage; Wine 8 answers with the short form of the counters
// (cb tells which) and leaves it zero, but its PagefileUsage is the same private commit, as on Windows.
Memory ProcessMemory() {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
  const bool long_form = counters.cb >= sizeof counters && counters.PrivateUsage != 0;
  return {long_form ? counters.PrivateUsage : counters.PagefileUsage, counters.WorkingSetSize};
}

std::size_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return data.nFileSizeLow;
}

struct Round {
  double generate_seconds = 0;
  double export_seconds = 0;
  double clear_seconds = 0;
  int rows = 0;
  std::size_t file_bytes = 0;
  Memory memory;
  std::size_t live_blocks = 0;
  std::size_t live_bytes = 0;
};

}  // namespace

namespace quarrow::program {

std::int32_t StartRoutine() {
  const int rows = __argc > 1 ? std::atoi(__argv[1]) : 99999;
  const int rounds = __argc > 2 ? std::atoi(__argv[2]) : 5;
  const std::string path = testing::TemporaryPath("soak-export") + ".txt";

  rt::InitialiseRuntime();
  rt::LoadStartWindow(app::kMainWindowId);
  TheRuntime().ProcessWaitingMessages();
  testing::ModalWatchdog watchdog;
  watchdog.Expect(e2e::kSaveDialogTitle, [&](HWND dialog, const testing::SeenBox&) {
    e2e::TypeFileName(dialog, path);
    e2e::PressSave(dialog);
    return true;
  });
  HeapBackend& process_heap = TheRuntime().Memory().Heap();
  testing::CountingHeap heap(process_heap);
  TheRuntime().Memory().SetHeap(heap);
  rt::WriteText(app::units::kCountBox, PropertyIndex(edit_box::kText), std::to_string(rows).c_str());

  std::printf("Soak: %d rounds of generate %d rows, export through the save dialog, clear; private bytes after each\n",
              rounds, rows);
  const Memory before = ProcessMemory();
  std::printf("before the first round: private bytes %zu (%.1f MB), working set %.1f MB\n", before.private_bytes,
              before.private_bytes / 1048576.0, before.working_set / 1048576.0);
  std::fflush(stdout);
  std::vector<Round> results;
  for (int k = 1; k <= rounds; ++k) {
    Round r;
    ::DeleteFileA(path.c_str());
    Clock::time_point start = Clock::now();
    ::SendMessageA(UnitWindow(app::unit::kGenerateButton), BM_CLICK, 0, 0);
    r.generate_seconds = SecondsSince(start);
    r.rows = cmd::ListViewItemCount(app::units::kResultList);
    start = Clock::now();
    ::SendMessageA(UnitWindow(app::unit::kExportButton), BM_CLICK, 0, 0);
    r.export_seconds = SecondsSince(start);
    r.file_bytes = FileSize(path);
    start = Clock::now();
    ::SendMessageA(UnitWindow(app::unit::kClearButton), BM_CLICK, 0, 0);
    TheRuntime().ProcessWaitingMessages();
    r.clear_seconds = SecondsSince(start);
    r.memory = ProcessMemory();
    r.live_blocks = heap.Live();
    r.live_bytes = heap.LiveBytes();
    results.push_back(r);
    std::printf("round %d: %d rows generated in %.1f s, exported %zu bytes in %.1f s, cleared in %.2f s; "
                "private bytes %zu (%.1f MB), working set %.1f MB; runtime heap: %zu blocks, %zu bytes alive\n",
                k, r.rows, r.generate_seconds, r.file_bytes, r.export_seconds, r.clear_seconds,
                r.memory.private_bytes, r.memory.private_bytes / 1048576.0, r.memory.working_set / 1048576.0,
                r.live_blocks, r.live_bytes);
    std::fflush(stdout);
  }

  bool within = true;
  std::printf("private bytes against round 1:");
  for (const Round& r : results) {
    const double ratio =
        static_cast<double>(r.memory.private_bytes) / static_cast<double>(results[0].memory.private_bytes);
    within = within && ratio <= 1.10 && ratio >= 0.90;
    std::printf(" %.3f", ratio);
  }
  std::printf("\nevery round within 10%% of round 1: %s; runtime heap requests %d, blocks alive at the end %zu\n",
              within ? "yes" : "NO", heap.Requests(), heap.Live());
  const auto unexpected = watchdog.Unexpected();
  if (!unexpected.empty()) std::printf("unexpected box: %s: %s\n", unexpected[0].caption.c_str(), unexpected[0].text.c_str());
  std::fflush(stdout);
  ::DeleteFileA(path.c_str());
  TheRuntime().Memory().SetHeap(process_heap);
  if (const forms::WindowRecord* window = forms::TheWindowMap().Find(app::kMainWindowId)) {
    ::DestroyWindow(window->Hwnd());
  }
  return 0;
}

}  // namespace quarrow::program
