// A test program that faults says what faulted, where and in which test, and ends at once with a failing exit
// code. Left alone, Wine would hand the faulting process to its debugger, which can keep it, and the whole test
// run, waiting until the time-out with nothing said.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

namespace {

constexpr UINT kFaultExitCode = 3;

// Prints an address as module+offset, which addr2line turns into a source line.
void PrintPlace(const char* what, std::uintptr_t address) {
  HMODULE module = nullptr;
  char path[MAX_PATH] = "?";
  if (::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(address), &module)) {
    ::GetModuleFileNameA(module, path, sizeof path);
    std::fprintf(stderr, "  %s %s+0x%llx\n", what, path,
                 static_cast<unsigned long long>(address - reinterpret_cast<std::uintptr_t>(module)));
  } else {
    std::fprintf(stderr, "  %s 0x%llx\n", what, static_cast<unsigned long long>(address));
  }
}

// The words on the faulting stack that point into this program are its likely return addresses: enough to find
// the caller without a debugger.
void PrintLikelyCallers(const CONTEXT& context) {
#ifdef _WIN64
  const auto* stack = reinterpret_cast<const std::uintptr_t*>(context.Rsp);
#else
  const auto* stack = reinterpret_cast<const std::uintptr_t*>(context.Esp);
#endif
  const auto self = reinterpret_cast<std::uintptr_t>(::GetModuleHandleA(nullptr));
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      self + reinterpret_cast<const IMAGE_DOS_HEADER*>(self)->e_lfanew);
  const std::uintptr_t end = self + headers->OptionalHeader.SizeOfImage;
  int shown = 0;
  for (int i = 0; i < 512 && shown < 12; ++i) {
    if (::IsBadReadPtr(stack + i, sizeof *stack)) break;
    if (stack[i] > self && stack[i] < end) {
      PrintPlace("called from", stack[i]);
      ++shown;
    }
  }
}

LONG WINAPI ReportAndEnd(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD& record = *info->ExceptionRecord;
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::fflush(stdout);
  std::fprintf(stderr, "\nfault 0x%08lx on thread %lu during %s.%s\n", record.ExceptionCode, ::GetCurrentThreadId(),
               test ? test->test_suite_name() : "(no test)", test ? test->name() : "");
  if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2)
    std::fprintf(stderr, "  %s 0x%llx\n", record.ExceptionInformation[0] ? "writing" : "reading",
                 static_cast<unsigned long long>(record.ExceptionInformation[1]));
  PrintPlace("at", reinterpret_cast<std::uintptr_t>(record.ExceptionAddress));
  PrintLikelyCallers(*info->ContextRecord);
  std::fflush(stderr);
  ::TerminateProcess(::GetCurrentProcess(), kFaultExitCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

const bool installed = [] {
  ::SetUnhandledExceptionFilter(ReportAndEnd);
  return true;
}();

}  // namespace
