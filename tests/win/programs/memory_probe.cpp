// The application's own program image (its header, libraries, window and handlers) with a start routine of its
// own, for what an exhausted runtime heap does to a whole process: a heap in front of the process heap refuses
// the n-th request or every request above a size, and the test watches the box and the exit code from outside.
// Arguments: the scenario, the file the program logs to, and a number for the scenario.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/constants.h"
#include "app/generate_action.h"
#include "app/main_window.h"
#include "app/window_units.h"
#include "commands/core_facade.h"
#include "runtime/facade.h"
#include "runtime/runtime.h"
#include "runtime/runtime_notify.h"
#include "tests/support/counting_heap.h"
#include "tests/support/probe_program.h"
#include "units/check_box_properties.h"
#include "units/edit_box_properties.h"
#include "units/list_view_facade.h"
#include "units/unit_properties.h"

namespace {

using quarrow::testing::ProbeLog;
using quarrow::testing::ProbeScenario;

using namespace quarrow;
namespace u = quarrow::app::units;

long number = 0;

// Comes in front of the process heap once the scenario is ready to fail; never destroyed, since the program
// holds its blocks until the end.
testing::CountingHeap* failing_heap = nullptr;

void UseFailingHeap() {
  RuntimeMemory& memory = TheRuntime().Memory();
  failing_heap = new testing::CountingHeap(memory.Heap());
  memory.SetHeap(*failing_heap);
}

// Tells the test which request failed before the runtime shows its box.
std::int32_t LogFailure(std::int32_t, const char*) {
  if (failing_heap) {
    ProbeLog("failed request " + std::to_string(failing_heap->Requests()) + " of " +
        std::to_string(failing_heap->LastFailedSize()) + " bytes");
  }
  return 0;
}

void ParseArguments() {
  number = std::strtol(testing::ProgramArgument(2).c_str(), nullptr, 10);
}

void* Notify(std::int32_t code, std::uintptr_t a1, std::uintptr_t a2) {
  return reinterpret_cast<void*>(RuntimeNotify(code, a1, a2));
}

constexpr std::int32_t kText = PropertyIndex(edit_box::kText);
constexpr std::int32_t kChecked = PropertyIndex(check_box::kChecked);

// Two rows through the real generate action and the clear button's command, with the n-th request of the
// runtime heap refused (0: none). Manual mode draws from filled lists and the edit boxes.
void GenerateAndClear(bool manual) {
  rt::LoadStartWindow(app::kMainWindowId);
  cmd::SetRandomSeed(1);
  rt::WriteText(u::kCountBox, kText, "2");
  rt::WriteText(u::kPrefixBox, kText, "前段");
  if (manual) {
    rt::WriteLogical(u::kAutoModeBox, kChecked, false);
    for (const char* road : {"人民", "解放"}) cmd::ListBoxAddItem(u::kRoadList, road);
    for (const char* community : {"阳光", "绿地"}) cmd::ListBoxAddItem(u::kCommunityList, community);
  }
  UseFailingHeap();
  if (number > 0) failing_heap->FailRequest(static_cast<int>(number));
  app::Generate();
  cmd::ListViewDeleteAllItems(u::kResultList);
  ProbeLog("requests " + std::to_string(failing_heap->Requests()));
}

}  // namespace

namespace quarrow::program {

std::int32_t StartRoutine() {
  ParseArguments();
  rt::InitialiseRuntime();
  TheRuntime().SetErrorHook(LogFailure);
  const ServiceTable& services = Services();
  if (ProbeScenario() == "allocate") {
    UseFailingHeap();
    failing_heap->FailAbove(1000);
    services.allocate(1048576);
  } else if (ProbeScenario() == "reallocate") {
    void* block = services.allocate(8);
    UseFailingHeap();
    failing_heap->FailAbove(1000);
    services.reallocate(block, 4096);
  } else if (ProbeScenario() == "reallocate-constant") {
    UseFailingHeap();
    failing_heap->FailAbove(1000);
    services.reallocate(const_cast<char*>(app::kConstants.road_suffix), 2000);
  } else if (ProbeScenario() == "notify-allocate") {
    UseFailingHeap();
    failing_heap->FailAbove(1000);
    Notify(notify_code::kAllocate, 5000, 0);
  } else if (ProbeScenario() == "notify-reallocate") {
    void* block = Notify(notify_code::kAllocate, 8, 0);
    UseFailingHeap();
    failing_heap->FailAbove(1000);
    Notify(notify_code::kReallocate, reinterpret_cast<std::uintptr_t>(block), 3000);
  } else if (ProbeScenario() == "make-array-private") {
    // The constant empty array: one dimension of size 0, so its private copy has 8 bytes.
    void* array = const_cast<std::int32_t*>(app::kConstants.empty_array);
    UseFailingHeap();
    failing_heap->FailRequest(1);
    services.notify(notify_index::kMakeArrayPrivate, sizeof(std::int32_t), reinterpret_cast<std::uintptr_t>(&array),
                    0, 0, 0, 0);
  } else if (ProbeScenario() == "core-command") {
    UseFailingHeap();
    failing_heap->FailRequest(1);
    cmd::ToText(12345);
  } else if (ProbeScenario() == "core-command-above") {
    const std::string text(2000, 'x');
    UseFailingHeap();
    failing_heap->FailAbove(1000);
    cmd::ToByteSet(text.c_str());
  } else if (ProbeScenario() == "library-command") {
    rt::LoadStartWindow(app::kMainWindowId);
    const std::int32_t row = cmd::ListViewInsertItem(u::kResultList);
    cmd::ListViewSetItemText(u::kResultList, row, 1, "abcdef");
    UseFailingHeap();
    failing_heap->FailRequest(1);
    cmd::ListViewItemText(u::kResultList, row, 1);
  } else if (ProbeScenario() == "read-property") {
    rt::LoadStartWindow(app::kMainWindowId);
    UseFailingHeap();
    failing_heap->FailRequest(1);
    rt::ReadText(u::kRoomMax, kText);
  } else if (ProbeScenario() == "read-detached-property") {
    rt::LoadStartWindow(app::kMainWindowId);
    void* object = Notify(notify_code::kUnitObject, app::kMainWindowId, app::unit::kRoomMax);
    UseFailingHeap();
    failing_heap->FailRequest(1);
    // The type's own properties count from 0 here, after the eight that every unit has.
    services.notify(notify_index::kReadDetachedProperty, app::unit_type::kEditBox,
                    reinterpret_cast<std::uintptr_t>(object), static_cast<std::uintptr_t>(kText - 8),
                    static_cast<std::uintptr_t>(-1), 0, 0);
  } else if (ProbeScenario() == "find-file") {
    // The probe finds itself: the name it hands back is "memory_probe.exe".
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    HANDLE search = nullptr;
    UseFailingHeap();
    failing_heap->FailRequest(1);
    services.notify(notify_index::kFindFile, reinterpret_cast<std::uintptr_t>(path), 0, 1,
                    reinterpret_cast<std::uintptr_t>(&search), 0, 0);
  } else if (ProbeScenario() == "may-fail") {
    UseFailingHeap();
    failing_heap->FailAbove(1000);
    void* refused = Notify(notify_code::kAllocate, 5000, 1);
    void* granted = Notify(notify_code::kAllocate, 16, 1);
    ProbeLog(std::string("notify with flag: ") + (refused ? "block" : "null") + ", " + (granted ? "block" : "null"));
    Notify(notify_code::kFree, reinterpret_cast<std::uintptr_t>(granted), 0);
    const rt::Text long_text = cmd::RepeatText(1000, "ab");
    const rt::Text short_text = cmd::RepeatText(3, "ab");
    ProbeLog("RepeatText: \"" + std::string(long_text.View()) + "\", \"" + std::string(short_text.View()) + "\"");
  } else if (ProbeScenario() == "generate-auto") {
    GenerateAndClear(false);
  } else if (ProbeScenario() == "generate-manual") {
    GenerateAndClear(true);
  } else {
    ProbeLog("unknown scenario " + ProbeScenario());
    return 2;
  }
  ProbeLog("returned");
  return 0;
}

}  // namespace quarrow::program
