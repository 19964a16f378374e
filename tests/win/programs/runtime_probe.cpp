// A small program with its own program header, for tests that must watch a whole process from outside: its
// message boxes, its exit code and what its exit routines wrote. The first argument names the scenario, the
// second the file the program logs to.
#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>

#include "runtime/facade.h"
#include "runtime/runtime.h"
#include "tests/support/program_arguments.h"

namespace {

std::string scenario;
std::string log_path;

void Log(const std::string& line) {
  if (FILE* f = std::fopen(log_path.c_str(), "ab")) {
    std::fputs((line + "\n").c_str(), f);
    std::fclose(f);
  }
}

void ExitA() { Log("A"); }
void ExitB() { Log("B"); }
void ExitOnWhichThread() {
  Log(::GetCurrentThreadId() == quarrow::TheRuntime().MainThreadId() ? "exit on main thread" : "exit elsewhere");
}

std::intptr_t LoggingLibraryNotify(std::int32_t code, std::uintptr_t, std::uintptr_t) {
  Log("library notify " + std::to_string(code));
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

void ParseArguments() {
  scenario = quarrow::testing::ProgramArgument(0);
  log_path = quarrow::testing::ProgramArgument(1);
}

}  // namespace

namespace quarrow::program {

extern const ProgramHeader kHeader = {
    3, 0, 0x000100D4, nullptr, nullptr, 0, nullptr, 0, 1, kLibraries, 5, kDllLibraries, kDllEntries,
};

std::int32_t StartRoutine() {
  ParseArguments();
  rt::InitialiseRuntime();
  if (scenario == "no-windows") {
    rt::RegisterExitRoutine(ExitA);
    rt::LoadStartWindow(0x52010001);
    Log("still running");
  } else if (scenario == "exit-routines") {
    rt::RegisterExitRoutine(ExitA);
    rt::RegisterExitRoutine(nullptr);
    rt::RegisterExitRoutine(ExitB);
    rt::RegisterExitRoutine(ExitA);
    rt::EndProgram(7);
  } else if (scenario == "error-skips-exit-routines") {
    rt::RegisterExitRoutine(ExitA);
    rt::ReportError(4);
  } else if (scenario == "end-from-thread") {
    rt::RegisterExitRoutine(ExitOnWhichThread);
    std::thread([] { rt::EndProgram(42); }).detach();
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
    Log("main thread left its loop");
  } else if (scenario == "loop-without-window") {
    rt::RegisterExitRoutine(ExitA);
    rt::RunMessageLoop();
    Log("loop returned");
  } else if (scenario == "dll") {
    Log(std::to_string(Dll<DWORD(WINAPI*)()>(0)() == ::GetCurrentProcessId()));
    Log(std::to_string(Dll<int (*)(int, int)>(1)(4, 2)));
    Log(std::to_string(Dll<int (*)()>(2)()));
    Log(std::to_string(Dll<int (*)(int, int)>(1)(1, 1)));  // resolved once, cached
  } else if (scenario == "dll-missing-entry") {
    Dll<void*>(3);
  } else if (scenario == "dll-missing-library") {
    Dll<void*>(4);
  }
  return 0;
}

}  // namespace quarrow::program
