// A program with its own program header that loads the ListView test form, for what must be watched from
// outside the process: the real message loop going idle after a burst of rows, and the runtime error of a
// command on a list that is gone. The first argument names the scenario, the second the file it logs to.
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cstdio>
#include <string>

#include "commands/core_library.h"
#include "runtime/facade.h"
#include "runtime/runtime.h"
#include "runtime/runtime_notify.h"
#include "tests/support/probe_program.h"
#include "tests/win/list_view_test_form.h"
#include "units/extended_library.h"
#include "units/list_view.h"
#include "units/list_view_facade.h"
#include "base/unit_interface.h"

namespace {

using namespace quarrow;
using namespace quarrow::testing;

constexpr int kBurstRows = 300;

HWND PlatformWindow(std::uint32_t window_id) {
  return reinterpret_cast<HWND>(RuntimeNotify(notify_code::kPlatformWindow, window_id, 0));
}

HWND ResultList() {
  auto* object = reinterpret_cast<UnitObject*>(
      RuntimeNotify(notify_code::kUnitObject, list_window::kResult, list_unit::kResultList));
  return object ? object->Window() : nullptr;
}

rt::UnitRef ResultRef() { return {list_view::kUnitType, list_window::kResult, list_unit::kResultList}; }

HandlerResult Nothing(const std::uintptr_t*, std::int32_t) { return {}; }

// The window's idle event: the loop has gone idle, so the list must show every row.
HandlerResult IdleCheck(const std::uintptr_t*, std::int32_t) {
  HWND list = ResultList();
  SCROLLINFO info = {sizeof info, SIF_RANGE, 0, 0, 0, 0, 0};
  ::GetScrollInfo(list, SB_VERT, &info);
  ProbeLog("idle: rows " + std::to_string(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) + ", scroll bar " +
      std::to_string(info.nMax + 1));
  ::DestroyWindow(PlatformWindow(list_window::kResult));
  return {true, 0};
}

std::array<HandlerSlot, list_tag::kCount> MakeHandlers() {
  std::array<HandlerSlot, list_tag::kCount> slots;
  slots.fill(HandlerSlot{&Nothing});
  slots[list_tag::kIdle] = HandlerSlot{&IdleCheck};
  return slots;
}
alignas(8) const std::array<HandlerSlot, list_tag::kCount> kHandlers = MakeHandlers();

const LibraryDescriptor* const kLibraries[] = {&kCoreLibrary, &kExtendedLibrary};

}  // namespace

namespace quarrow::program {

extern const ProgramHeader kHeader = {3, 0, 0x000100D4, nullptr, nullptr, 0, nullptr, 0, 0, nullptr, 0, nullptr, nullptr};

std::int32_t StartRoutine() {
  static const Bytes form = ListViewTestForm();
  static ProgramHeader header;
  header = {3, 0, 0x000100D4, kHandlers.data(), nullptr, 0, form.data(), static_cast<std::uint32_t>(form.size()),
            2, kLibraries, 0, nullptr, nullptr};
  TheRuntime().Initialise(header);
  rt::LoadStartWindow(list_window::kResult);

  if (ProbeScenario() == "idle-after-burst") {
    for (int i = 0; i < kBurstRows; ++i) {
      const std::int32_t row = cmd::ListViewInsertItem(ResultRef());
      cmd::ListViewSetItemText(ResultRef(), row, 0, "序号");
      cmd::ListViewSetItemText(ResultRef(), row, 1, "地址");
    }
    rt::RunMessageLoop();
    ProbeLog("loop returned");
  } else if (ProbeScenario() == "closed-window") {
    ::DestroyWindow(PlatformWindow(list_window::kResult));
    ProbeLog("count " + std::to_string(cmd::ListViewItemCount(ResultRef())));
  }
  ProbeLog("end of start routine");
  return 0;
}

}  // namespace quarrow::program
