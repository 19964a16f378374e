// A program with its own program header that loads the engine's test form, for tests that watch a whole process
// from outside: its message loop ending, its error boxes and its exit code. The first argument names the scenario,
// the second the file the program logs to.
#include <windows.h>

#include <array>
#include <cstdio>
#include <string>
#include <utility>

#include "commands/core_library.h"
#include "forms/runtime_parts.h"
#include "forms/window_map.h"
#include "runtime/facade.h"
#include "runtime/runtime.h"
#include "runtime/runtime_notify.h"
#include "tests/support/probe_program.h"
#include "tests/win/test_form.h"

namespace {

using namespace quarrow;
using namespace quarrow::testing;

HWND PlatformWindow(std::uint32_t window_id) {
  return reinterpret_cast<HWND>(RuntimeNotify(notify_code::kPlatformWindow, window_id, 0));
}

HandlerResult Nothing(const std::uintptr_t*, std::int32_t) { return {}; }

HandlerResult CloseOnCreation(const std::uintptr_t*, std::int32_t) {
  ProbeLog("created");
  ::DestroyWindow(PlatformWindow(test_window::kClosesItself));
  return {};
}

// The main window's idle handler closes the second window, then, on its next call, itself.
int idle_step = 0;
HandlerResult IdleScript(const std::uintptr_t*, std::int32_t) {
  if (idle_step++ == 0) {
    ::DestroyWindow(PlatformWindow(test_window::kEscapeOff));
    ProbeLog("second closed");
    return {true, 1};
  }
  ProbeLog("loop goes on");
  ProbeLog("callbacks " + std::to_string(TheRuntime().IdleCallbackCount()));
  ::DestroyWindow(PlatformWindow(test_window::kMain));
  return {true, 0};
}

bool callback_logged = false;
void IdleCallback(std::uintptr_t) {
  if (!callback_logged) ProbeLog("callback");
  callback_logged = true;
}

std::array<HandlerSlot, tag::kCount> MakeHandlers() {
  std::array<HandlerSlot, tag::kCount> slots;
  slots.fill(HandlerSlot{&Nothing});
  slots[tag::kClosesItselfCreated] = HandlerSlot{&CloseOnCreation};
  slots[tag::kIdle] = HandlerSlot{&IdleScript};
  return slots;
}
alignas(8) const std::array<HandlerSlot, tag::kCount> kHandlers = MakeHandlers();

const LibraryDescriptor* const kLibraries[] = {&kCoreLibrary, &kTestUnitLibrary};

void Initialise(const Bytes& form, std::size_t size) {
  static ProgramHeader header;
  header = {3, 0, 0x000100D4, kHandlers.data(), nullptr, 0, form.data(), static_cast<std::uint32_t>(size),
            2, kLibraries, 0, nullptr, nullptr};
  TheRuntime().Initialise(header);
}

}  // namespace

namespace quarrow::program {

extern const ProgramHeader kHeader = {3, 0, 0x000100D4, nullptr, nullptr, 0, nullptr, 0, 0, nullptr, 0, nullptr, nullptr};

std::int32_t StartRoutine() {
  static const Bytes form = EngineTestForm();
  forms::WindowMap& windows = forms::TheWindowMap();
  if (ProbeScenario() == "bad-form") {
    Initialise(form, form.size() / 2);
    ProbeLog("read a broken form");
    return 0;
  }
  Initialise(form, form.size());

  if (ProbeScenario() == "created-closes") {
    rt::LoadStartWindow(test_window::kClosesItself);
    rt::RunMessageLoop();
    ProbeLog("loop returned");
  } else if (ProbeScenario() == "last-window") {
    rt::LoadStartWindow(test_window::kMain);
    forms::LoadWindowRequest second{test_window::kEscapeOff, nullptr, 0};
    RuntimeNotify(notify_code::kLoadWindow, reinterpret_cast<std::uintptr_t>(&second), 0);
    HWND dead = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const std::uintptr_t live_callback[2] = {reinterpret_cast<std::uintptr_t>(&IdleCallback), 0};
    const std::uintptr_t dead_callback[2] = {reinterpret_cast<std::uintptr_t>(&IdleCallback), 1};
    RuntimeNotify(notify_code::kAddIdleCallback, reinterpret_cast<std::uintptr_t>(PlatformWindow(test_window::kMain)),
                  reinterpret_cast<std::uintptr_t>(live_callback));
    RuntimeNotify(notify_code::kAddIdleCallback, reinterpret_cast<std::uintptr_t>(dead),
                  reinterpret_cast<std::uintptr_t>(dead_callback));
    ::DestroyWindow(dead);
    rt::RunMessageLoop();
    ProbeLog("loop returned");
  } else if (ProbeScenario() == "start-window-fails") {
    rt::LoadStartWindow(test_window::kFails);
    ProbeLog("still running");
  } else if (ProbeScenario() == "start-window-not-in-map") {
    rt::LoadStartWindow(0x52019999);
    ProbeLog("still running");
  } else if (ProbeScenario() == "property-of-unknown-window") {
    windows.ReadProperty(0x52019999, test_unit::kA, 0, -1);
  } else if (ProbeScenario() == "event-of-unknown-window") {
    RaiseTestEvent(0x52019999, test_unit::kA, 0);
  } else if (ProbeScenario() == "event-of-unknown-unit") {
    rt::LoadStartWindow(test_window::kMain);
    RaiseTestEvent(test_window::kMain, 0x1601FFFF, 0);
  } else if (ProbeScenario() == "event-of-mute-unit") {
    rt::LoadStartWindow(test_window::kMute);
    RaiseTestEvent(test_window::kMute, test_unit::kMuteUnit, 0);
  } else if (ProbeScenario() == "own-property-of-unloaded-window") {
    ProbeLog("width " + std::to_string(windows.ReadProperty(test_window::kMain, test_unit::kA, 2, -1)));
    windows.ReadProperty(test_window::kMain, test_unit::kA, 8, -1);
  } else if (ProbeScenario() == "text-to-number") {
    ValueRecord text = ValueRecord::Make(type::kText, 0);
    RuntimeNotify(notify_code::kConvertToNumber, reinterpret_cast<std::uintptr_t>(&text), 0);
  } else if (ProbeScenario() == "library-reports-error") {
    RuntimeNotify(notify_code::kReportError, reinterpret_cast<std::uintptr_t>("库的错误"), 0);
  } else if (ProbeScenario() == "library-ends-program") {
    rt::LoadStartWindow(test_window::kMain);
    RuntimeNotify(notify_code::kEndProgram, 5, 0);
  } else if (ProbeScenario() == "object-of-missing-unit") {
    RuntimeNotify(notify_code::kUnitObjectOrError, test_window::kMain, test_unit::kA);
  }
  ProbeLog("end of start routine");
  return 0;
}

}  // namespace quarrow::program
