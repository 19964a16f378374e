// A small program with its own program header, for tests that must watch a whole process from outside: its
// message boxes, its exit code and what its exit routines wrote. The first argument names the scenario, the
// second the file the program logs to.
#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>

#include "runtime/facade.h"
#include "runtime/runtime.h"
#include "tests/support/probe_program.h"

namespace {

using quarrow::testing::ProbeLog;
using quarrow::testing::ProbeScenario;

void ExitA() { ProbeLog("A"); }
void ExitB() { ProbeLog("B"); }
void ExitOnWhichThread() {
  ProbeLog(::GetCurrentThreadId() == quarrow::TheRuntime().MainThreadId() ? "exit on main thread" : "exit elsewhere");
}

std::intptr_t LoggingLibraryNotify(std::int32_t code, std::uintptr_t, std::uintptr_t) {
  ProbeLog("library notify " + std::to_string(code));
  return 0;
}

const quarrow::LibraryDescriptor kLoggingLibrary = {
    quarrow::kLibraryFormatCode, "00000000000000000000000000000000", {1, 0, 0}, {3, 0, 3, 0}, "probe", 1, {},
    0, nullptr, {0, 0}, 0, 0, nullptr, {0, 0}, LoggingLibraryNotify, {}};
const quarrow::LibraryDescriptor* const kLibraries[] = {&kLoggingLibrary};

const char* const kDllLibraries[] = {"", "probe_dll.dll", "probe_dll.dll", "", "nosuch.dll"};
const char* const kDllEntries[] = {"GetCurrentProcessId", "ProbeAnswer", "#7", "NoSuchRoutineAnywhere", "Foo"};

template <class Routine>
Routine Dll(int index) {
  return reinterpret_cast<Routine>(quarrow::Services().dll_command(index));
}

}  // namespace

namespace quarrow::program {

extern const ProgramHeader kHeader = {
    3, 0, 0x000100D4, nullptr, nullptr, 0, nullptr, 0, 1, kLibraries, 5, kDllLibraries, kDllEntries,
};

std::int32_t StartRoutine() {
  rt::InitialiseRuntime();
  if (ProbeScenario() == "no-windows") {
    rt::RegisterExitRoutine(ExitA);
    rt::LoadStartWindow(0x52010001);
    ProbeLog("still running");
  } else if (ProbeScenario() == "exit-routines") {
    rt::RegisterExitRoutine(ExitA);
    rt::RegisterExitRoutine(nullptr);
    rt::RegisterExitRoutine(ExitB);
    rt::RegisterExitRoutine(ExitA);
    rt::EndProgram(7);
  } else if (ProbeScenario() == "error-skips-exit-routines") {
    rt::RegisterExitRoutine(ExitA);
    rt::ReportError(4);
  } else if (ProbeScenario() == "end-from-thread") {
    rt::RegisterExitRoutine(ExitOnWhichThread);
    std::thread([] { rt::EndProgram(42); }).detach();
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
    ProbeLog("main thread left its loop");
  } else if (ProbeScenario() == "loop-without-window") {
    rt::RegisterExitRoutine(ExitA);
    rt::RunMessageLoop();
    ProbeLog("loop returned");
  } else if (ProbeScenario() == "dll") {
    ProbeLog(std::to_string(Dll<DWORD(WINAPI*)()>(0)() == ::GetCurrentProcessId()));
    ProbeLog(std::to_string(Dll<int (*)(int, int)>(1)(4, 2)));
    ProbeLog(std::to_string(Dll<int (*)()>(2)()));
    ProbeLog(std::to_string(Dll<int (*)(int, int)>(1)(1, 1)));  // resolved once, cached
  } else if (ProbeScenario() == "dll-missing-entry") {
    Dll<void*>(3);
  } else if (ProbeScenario() == "dll-missing-library") {
    Dll<void*>(4);
  }
  return 0;
}

}  // namespace quarrow::program
