// A program with its own program header that loads the engine's test form, for tests that watch a whole process
// from outside: its message loop ending, its error boxes and its exit code. The first argument names the scenario,
// the second the file the program logs to.
#include <windows.h>

#include <array>
#include <cstdio>
#include <string>
#include <utility>

#include "commands/core_library.h"
#include "forms/window_map.h"
#include "runtime/facade.h"
#include "runtime/runtime.h"
#include "runtime/runtime_notify.h"
#include "tests/support/program_arguments.h"
#include "tests/win/test_form.h"

namespace {

using namespace quarrow;
using namespace quarrow::testing;

std::string scenario;
std::string log_path;

void Log(const std::string& line) {
  if (FILE* f = std::fopen(log_path.c_str(), "ab")) {
    std::fputs((line + "\n").c_str(), f);
    std::fclose(f);
  }
}

HWND PlatformWindow(std::uint32_t window_id) {
  return reinterpret_cast<HWND>(RuntimeNotify(notify_code::kPlatformWindow, window_id, 0));
}

HandlerResult Nothing(const std::uintptr_t*, std::int32_t) { return {}; }

HandlerResult CloseOnCreation(const std::uintptr_t*, std::int32_t) {
  Log("created");
  ::DestroyWindow(PlatformWindow(test_window::kClosesItself));
  return {};
}

// The main window's idle handler closes the second window, then, on its next call, itself.
int idle_step = 0;
HandlerResult IdleScript(const std::uintptr_t*, std::int32_t) {
  if (idle_step++ == 0) {
    ::DestroyWindow(PlatformWindow(test_window::kEscapeOff));
    Log("second closed");
    return {true, 1};
  }
  Log("loop goes on");
  Log("callbacks " + std::to_string(TheRuntime().IdleCallbackCount()));
  ::DestroyWindow(PlatformWindow(test_window::kMain));
  return {true, 0};
}

bool callback_logged = false;
void IdleCallback(std::uintptr_t) {
  if (!callback_logged) Log("callback");
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

void ParseArguments() {
  scenario = testing::ProgramArgument(0);
  log_path = testing::ProgramArgument(1);
}

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
  ParseArguments();
  static const Bytes form = EngineTestForm();
  forms::WindowMap& windows = TheRuntime().Windows();
  if (scenario == "bad-form") {
    Initialise(form, form.size() / 2);
    Log("read a broken form");
    return 0;
  }
  Initialise(form, form.size());

  if (scenario == "created-closes") {
    rt::LoadStartWindow(test_window::kClosesItself);
    rt::RunMessageLoop();
    Log("loop returned");
  } else if (scenario == "last-window") {
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
    Log("loop returned");
  } else if (scenario == "start-window-fails") {
    rt::LoadStartWindow(test_window::kFails);
    Log("still running");
  } else if (scenario == "start-window-not-in-map") {
    rt::LoadStartWindow(0x52019999);
    Log("still running");
  } else if (scenario == "property-of-unknown-window") {
    windows.ReadProperty(0x52019999, test_unit::kA, 0, -1);
  } else if (scenario == "event-of-unknown-window") {
    RaiseTestEvent(0x52019999, test_unit::kA, 0);
  } else if (scenario == "event-of-unknown-unit") {
    rt::LoadStartWindow(test_window::kMain);
    RaiseTestEvent(test_window::kMain, 0x1601FFFF, 0);
  } else if (scenario == "event-of-mute-unit") {
    rt::LoadStartWindow(test_window::kMute);
    RaiseTestEvent(test_window::kMute, test_unit::kMuteUnit, 0);
  } else if (scenario == "own-property-of-unloaded-window") {
    Log("width " + std::to_string(windows.ReadProperty(test_window::kMain, test_unit::kA, 2, -1)));
    windows.ReadProperty(test_window::kMain, test_unit::kA, 8, -1);
  } else if (scenario == "text-to-number") {
    ValueRecord text = ValueRecord::Make(type::kText, 0);
    RuntimeNotify(notify_code::kConvertToNumber, reinterpret_cast<std::uintptr_t>(&text), 0);
  } else if (scenario == "library-reports-error") {
    RuntimeNotify(notify_code::kReportError, reinterpret_cast<std::uintptr_t>("库的错误"), 0);
  } else if (scenario == "library-ends-program") {
    rt::LoadStartWindow(test_window::kMain);
    RuntimeNotify(notify_code::kEndProgram, 5, 0);
  } else if (scenario == "object-of-missing-unit") {
    RuntimeNotify(notify_code::kUnitObjectOrError, test_window::kMain, test_unit::kA);
  }
  Log("end of start routine");
  return 0;
}

}  // namespace quarrow::program
