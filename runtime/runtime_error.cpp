#include "base/error_text.h"
#include "runtime/runtime.h"

namespace quarrow {

void Runtime::ReportError(std::string_view message, std::int32_t code) {
  RaiseBusy();
  const std::string text(message);
  bool told = false;
  if (error_hook_ != nullptr && !error_hook_running_) {
    error_hook_running_ = true;
    told = error_hook_(code, text.c_str()) != 0;
    error_hook_running_ = false;
  }
  if (!told) {
    const std::string report = BuildErrorReport(code, text);
    ::MessageBoxA(nullptr, report.c_str(), "错误", MB_OK | MB_ICONERROR);
  }
  {
    ScopedLock hold(shutdown_lock_);
    exit_routines_.clear();
  }
  EndProgram(-1);
  // Reported on another thread while the main thread was already cleaning up: this thread ends the process.
  ::ExitProcess(static_cast<UINT>(-1));
}

void Runtime::ReportIndexedError(std::int32_t index) { ReportError(IndexedErrorMessage(index), index); }

}  // namespace quarrow
