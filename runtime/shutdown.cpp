#include <ole2.h>

#include "base/music.h"
#include "base/window_directory.h"
#include "runtime/runtime.h"
#include "runtime/runtime_notify.h"

namespace quarrow {

namespace {
// Sent to the hidden owner window by another thread: End program on the main thread.
constexpr UINT kEndRequest = 0x83E7;
}  // namespace

LRESULT CALLBACK HiddenOwnerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kEndRequest) {
    Runtime& runtime = TheRuntime();
    // A request that reaches the main thread while it cleans up (an exit routine may let messages through) is
    // already being carried out, with the exit code of the cleanup that runs.
    if (runtime.CleanupStarted()) return 0;
    const auto exit_code = static_cast<std::int32_t>(wparam);
    // No exception unwinds through the system's code: the program ends as asked all the same.
    try {
      runtime.EndProgram(exit_code);
    } catch (...) {
      ::ExitProcess(static_cast<UINT>(exit_code));
    }
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

void Runtime::Shutdown(std::int32_t exit_code) {
  RaiseBusy();

  if (main_thread_id_ != 0 && ::GetCurrentThreadId() != main_thread_id_) {
    // The main thread cleans up. Once it has begun, the request returns: that cleanup ends the process with its
    // own exit code.
    HWND owner = nullptr;
    {
      ScopedLock hold(shutdown_lock_);
      if (cleanup_started_) return;
      owner = hidden_owner_.Get();
    }
    if (owner != nullptr) ::SendMessageA(owner, kEndRequest, static_cast<WPARAM>(exit_code), 0);
    if (!cleanup_started_) ::ExitProcess(static_cast<UINT>(exit_code));
    return;
  }

  {
    ScopedLock hold(shutdown_lock_);
    cleanup_started_ = true;
  }
  idle_windows_.clear();
  idle_routines_.clear();
  idle_arguments_.clear();
  if (windows_) windows_->ReleaseAll();

  // Exit routines may register nothing new that would run: take the list first.
  std::vector<ExitRoutine> routines;
  {
    ScopedLock hold(shutdown_lock_);
    routines.swap(exit_routines_);
  }
  for (ExitRoutine routine : routines) routine();

  for (std::size_t i = 0; i < libraries_.size(); ++i) {
    if (libraries_[i] != nullptr && libraries_[i]->notify != nullptr) {
      libraries_[i]->notify(library_notify::kShutdown, library_values_[i], 0);
    }
  }
  libraries_.clear();
  library_values_.clear();

  for (HMODULE module : dll_.modules) {
    if (module != nullptr) ::FreeLibrary(module);
  }
  dll_ = {};

  program_directory_.clear();
  program_file_name_.clear();
  program_directory_slash_.clear();
  memory_.ClearConstantBlock();

  large_icon_.Reset();
  small_icon_.Reset();
  hidden_owner_.Reset();

  if (sound_) sound_->StopAll(true);
  if (ole_initialised_) {
    ole_initialised_ = false;
    ::OleUninitialize();
  }
}

void Runtime::EndProgram(std::int32_t exit_code) {
  Shutdown(exit_code);
  // On another thread Shutdown returns only when the main thread was already cleaning up: that cleanup ends the
  // process with its own exit code, and the request returns.
  if (!OnMainThread()) return;
  ::ExitProcess(static_cast<UINT>(exit_code));
}

}  // namespace quarrow
