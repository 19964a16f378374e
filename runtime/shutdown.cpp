#include <ole2.h>

#include "forms/window_map.h"
#include "internals/sound.h"
#include "runtime/runtime.h"
#include "runtime/runtime_notify.h"

namespace quarrow {

namespace {
// Sent to the hidden owner window by another thread: End program on the main thread.
constexpr UINT kEndRequest = 0x83E7;
}  // namespace

LRESULT CALLBACK HiddenOwnerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kEndRequest) TheRuntime().EndProgram(static_cast<std::int32_t>(wparam));
  return ::DefWindowProcA(window, message, wparam, lparam);
}

void Runtime::Shutdown(std::int32_t exit_code) {
  RaiseBusy();

  if (main_thread_id_ != 0 && ::GetCurrentThreadId() != main_thread_id_) {
    if (hidden_owner_) ::SendMessageA(hidden_owner_.Get(), kEndRequest, static_cast<WPARAM>(exit_code), 0);
    if (!cleanup_started_) ::ExitProcess(static_cast<UINT>(exit_code));
    return;
  }

  cleanup_started_ = true;
  idle_windows_.clear();
  idle_routines_.clear();
  idle_arguments_.clear();
  if (windows_) windows_->ReleaseAll();

  // Exit routines may register nothing new that would run: take the list first.
  const std::vector<ExitRoutine> routines = std::move(exit_routines_);
  exit_routines_.clear();
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

  StopAllMusic(true);
  if (ole_initialised_) {
    ole_initialised_ = false;
    ::OleUninitialize();
  }
}

void Runtime::EndProgram(std::int32_t exit_code) {
  Shutdown(exit_code);
  ::ExitProcess(static_cast<UINT>(exit_code));
}

}  // namespace quarrow
