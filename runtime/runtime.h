// The runtime object: the one process-wide object that owns the process. It is constructed before the program's
// entry point runs and destroyed after everything else has ended; every other piece of runtime state hangs off it.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/handles.h"
#include "base/memory.h"
#include "base/program_header.h"

namespace quarrow {

class WindowDirectory;
class Music;

// The window procedure of the hidden owner window; it takes the end requests of other threads.
LRESULT CALLBACK HiddenOwnerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The routine an idle-callback entry calls with its argument.
using IdleRoutine = void (*)(std::uintptr_t argument);
using ExitRoutine = void (*)();
// The error hook: a non-zero result means the hook has told the user itself, and no box is shown.
using ErrorHook = std::int32_t (*)(std::int32_t code, const char* message);

class Runtime {
 public:
  Runtime();
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  // The parts the runtime runs that live in the layers above it: the window engine, reached through its directory,
  // and the music. A program hands them over once, before the runtime is initialised; parts it already has stay.
  // Until then the program has no windows and plays nothing.
  void Equip(std::unique_ptr<WindowDirectory> windows, std::unique_ptr<Music> music);

  // Application instance start: remembers the program image's header and takes the program's paths.
  void StartApplication(const ProgramHeader& header);
  // Start-up (notify entry 6): initialises the runtime from the program header.
  void Initialise();
  void Initialise(const ProgramHeader& header);
  // The message loop of service entry 10.
  void RunMessageLoop();
  // Service entry 11: loads the start window or reports "载入启动窗口失败".
  void LoadStartWindow(std::uint32_t window_id);
  // Releases everything in the fixed order; on another thread hands the request to the main thread.
  void Shutdown(std::int32_t exit_code);
  // Shutdown, then the process ends with the exit code. Returns only to another thread that asks while the main
  // thread is already cleaning up.
  void EndProgram(std::int32_t exit_code);

  [[noreturn]] void ReportError(std::string_view message, std::int32_t code);
  [[noreturn]] void ReportIndexedError(std::int32_t index);
  void SetErrorHook(ErrorHook hook) { error_hook_ = hook; }

  RuntimeMemory& Memory() { return memory_; }
  const ProgramHeader* Header() const { return header_; }
  std::uint32_t ProgramMode() const { return program_mode_; }
  const std::string& ProgramDirectory() const { return program_directory_; }
  const std::string& ProgramDirectorySlash() const { return program_directory_slash_; }
  const std::string& ProgramFileName() const { return program_file_name_; }
  DWORD MainThreadId() const { return main_thread_id_; }
  bool OnMainThread() const { return main_thread_id_ == 0 || ::GetCurrentThreadId() == main_thread_id_; }
  HWND HiddenOwner() const { return hidden_owner_.Get(); }
  CriticalSection& RuntimeLock() { return lock_; }
  // The window engine and the music the runtime was handed; null before that.
  WindowDirectory* Windows() const { return windows_.get(); }
  Music* Sound() const { return sound_.get(); }

  const std::vector<const LibraryDescriptor*>& Libraries() const { return libraries_; }
  // The unit-type entry for a unit-type reference, or null when no library has it.
  const UnitTypeEntry* FindUnitType(DataType unit_type) const;

  // Exit routines run once each at shutdown, in registration order.
  void RegisterExitRoutine(ExitRoutine routine);
  // Idle callbacks: one per window handle.
  void AddIdleCallback(HWND window, IdleRoutine routine, std::uintptr_t argument);
  void RemoveIdleCallback(HWND window);
  // Visits the table from the last entry to the first; entries whose window is gone are dropped.
  void RunIdleCallbacks();
  std::size_t IdleCallbackCount() const { return idle_windows_.size(); }

  // While the busy counter is 1 or more no event reaches a handler.
  void RaiseBusy() { ++busy_; }
  void LowerBusy() {
    if (busy_ > 0) --busy_;
  }
  bool Busy() const { return busy_ > 0; }
  bool MessageLoopEntered() const { return loop_entered_; }
  bool CleanupStarted() const { return cleanup_started_; }

  // The default large and small icons, loaded from the "DEFAULT_ICON" resource on first request.
  void DefaultIcons(HICON* large, HICON* small);

  // DLL commands (service entry 1): resolves the routine of a DLL-command index on its first use.
  void* ResolveDllCommand(std::int32_t index);

  // Lets every waiting message be handled; stops at a quit message, which stays queued.
  void ProcessWaitingMessages();
  // The same for application code that handles messages between two steps of a long run: input, posted and
  // sent messages are handled every time, paints at most every kPaintEveryMs, so that a run of many short steps
  // is not spent repainting what changes with every step.
  void ProcessEvents();
  static constexpr DWORD kPaintEveryMs = 40;

 private:
  friend LRESULT CALLBACK HiddenOwnerProc(HWND, UINT, WPARAM, LPARAM);

  void TakeProgramPaths();
  void CreateHiddenOwner();
  bool IdleStep(long idle_count);
  void HandleWaitingMessages(UINT remove_flags);

  RuntimeMemory memory_;
  const ProgramHeader* program_ = nullptr;
  const ProgramHeader* header_ = nullptr;
  std::uint32_t program_mode_ = 0;

  std::string program_directory_;
  std::string program_file_name_;
  std::string program_directory_slash_;
  DWORD main_thread_id_ = 0;
  OwnedWindow hidden_owner_;

  std::vector<const LibraryDescriptor*> libraries_;
  std::vector<std::uint32_t> library_values_;

  struct DllCommands {
    std::vector<std::string> library_names;
    std::vector<std::string> entry_names;
    std::vector<HMODULE> modules;
    std::vector<void*> routines;
  } dll_;

  std::vector<HWND> idle_windows_;
  std::vector<IdleRoutine> idle_routines_;
  std::vector<std::uintptr_t> idle_arguments_;
  DWORD idle_started_ = 0;
  DWORD painted_at_ = 0;  // when ProcessEvents last let paints through
  std::vector<HWND> idle_excluded_;

  // Another thread may register an exit routine or ask for the end while the main thread cleans up: the list and
  // the cleanup flag are taken under the shutdown lock.
  CriticalSection shutdown_lock_;
  std::vector<ExitRoutine> exit_routines_;
  std::atomic<std::int32_t> busy_{0};
  std::atomic<bool> cleanup_started_{false};
  bool loop_entered_ = false;
  bool ole_initialised_ = false;

  ErrorHook error_hook_ = nullptr;
  bool error_hook_running_ = false;

  OwnedIcon large_icon_;
  OwnedIcon small_icon_;
  bool icons_loaded_ = false;

  std::unique_ptr<WindowDirectory> windows_;
  CriticalSection lock_;
  std::unique_ptr<Music> sound_;  // after the lock, so that it goes first
};

// The runtime object of this process.
Runtime& TheRuntime();

// Supplied by the program image: its header and its start routine.
namespace program {
extern const ProgramHeader kHeader;
std::int32_t StartRoutine();
}  // namespace program

}  // namespace quarrow
