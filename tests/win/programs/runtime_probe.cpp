// A small program with its own program header, for tests that must watch a whole process from outside: its
// message boxes, its exit code and what its exit routines wrote. The first argument names the scenario, the
// second the file the program logs to.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <stdexcept>
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

// Asks, from another thread, for the program to end while the main thread is already cleaning up, and lets sent
// messages through until the request has returned (or ten seconds have passed).
void EndFromThreadDuringCleanup() {
  std::atomic<bool> returned{false};
  std::thread requester([&] {
    quarrow::rt::EndProgram(42);
    returned = true;
  });
  const DWORD start = ::GetTickCount();
  while (!returned && ::GetTickCount() - start < 10000) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  ProbeLog(returned ? "request returned" : "request still waiting");
  if (returned) {
    requester.join();
  } else {
    requester.detach();
  }
}

void ThrowFromExitRoutine() {
  ProbeLog("exit routine throws");
  throw std::runtime_error("exit routine failed");
}

std::intptr_t LoggingLibraryNotify(std::int32_t code, std::uintptr_t, std::uintptr_t) {
  ProbeLog("library notify " + std::to_string(code));
  return 0;
}

const quarrow::LibraryDescriptor kLoggingLibrary = {
    quarrow::kLibraryFormatCode, "00000000000000000000000000000000", {1, 0, 0}, {3, 0, 3, 0}, "probe", 1, {},
    0, nullptr, {0, 0}, 0, 0, nullptr, {0, 0}, LoggingLibraryNotify, {}};
const quarrow::LibraryDescriptor* const kLibraries[] = {&kLoggingLibrary};

const char* const kDllLibraries[] = {"", "probe_dll.dll", "probe_dll.dll", "", "nosuch.dll", ""};
const char* const kDllEntries[] = {"GetCurrentProcessId", "ProbeAnswer", "#7", "NoSuchRoutineAnywhere", "Foo",
                                   "MulDiv"};

template <class Routine>
Routine Dll(int index) {
  return reinterpret_cast<Routine>(quarrow::Services().dll_command(index));
}

// The stack pointer where it is read: a routine called with the wrong calling convention leaves it moved (on
// i686 a __stdcall routine pops its own arguments, a __cdecl one leaves them to the caller).
#if defined(__i386__)
#define READ_STACK_POINTER(into) asm volatile("mov %%esp, %0" : "=r"(into))
#else
#define READ_STACK_POINTER(into) asm volatile("mov %%rsp, %0" : "=r"(into))
#endif

// Calls a __stdcall system routine and a __cdecl routine of the probe DLL many times through DLL commands.
void CallBothConventions() {
  auto mul_div = Dll<int(WINAPI*)(int, int, int)>(5);
  auto answer = Dll<int(__cdecl*)(int, int)>(1);
  int wrong = 0;
  std::uintptr_t before = 0, after = 0;
  READ_STACK_POINTER(before);
  for (int i = 0; i < 100000; ++i) {
    if (mul_div(i, 6, 3) != 2 * i) ++wrong;
    if (answer(i % 10, 3) != (i % 10) * 10 + 3) ++wrong;
  }
  READ_STACK_POINTER(after);
  ProbeLog("wrong results " + std::to_string(wrong) + ", stack moved by " + std::to_string(after - before));
}

}  // namespace

namespace quarrow::program {

extern const ProgramHeader kHeader = {
    3, 0, 0x000100D4, nullptr, nullptr, 0, nullptr, 0, 1, kLibraries, 6, kDllLibraries, kDllEntries,
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
  } else if (ProbeScenario() == "end-from-thread-during-cleanup") {
    rt::RegisterExitRoutine(EndFromThreadDuringCleanup);
    rt::EndProgram(7);
  } else if (ProbeScenario() == "end-from-thread-exit-routine-throws") {
    rt::RegisterExitRoutine(ThrowFromExitRoutine);
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
  } else if (ProbeScenario() == "dll-conventions") {
    CallBothConventions();
  } else if (ProbeScenario() == "dll-missing-entry") {
    Dll<void*>(3);
  } else if (ProbeScenario() == "dll-missing-library") {
    Dll<void*>(4);
  }
  return 0;
}

}  // namespace quarrow::program
