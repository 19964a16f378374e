// The runtime service table: the thirteen entry points through which application code reaches the runtime, in
// their fixed order, and the seven notify handlers behind entry 12. Application code does not use it directly;
// it goes through the typed facade (runtime/facade.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/program_header.h"
#include "base/value.h"

namespace quarrow {

namespace notify_index {
inline constexpr std::int32_t kFindFile = 0;
inline constexpr std::int32_t kCloseFind = 1;
inline constexpr std::int32_t kMakeArrayPrivate = 2;
inline constexpr std::int32_t kRegisterExitRoutine = 3;
inline constexpr std::int32_t kReadDetachedProperty = 4;
inline constexpr std::int32_t kWriteDetachedProperty = 5;
inline constexpr std::int32_t kInitialiseRuntime = 6;
}  // namespace notify_index

struct ServiceTable {
  // 0: reports the indexed runtime error; does not return.
  void (*report_error)(std::int32_t index);
  // 1: resolves a DLL command on its first use and hands back the routine, which the caller then calls with
  //    the routine's own arguments, exactly as if it had called it directly.
  void* (*dll_command)(std::int32_t index);
  // 2 and 3: call a command of the extended interface or OS interface library (2) or of the core library (3)
  //    with count argument records lying one after another; the result record comes back.
  ValueRecord (*call_library_command)(CommandRoutine command, std::int32_t count, ValueRecord* args);
  ValueRecord (*call_core_command)(CommandRoutine command, std::int32_t count, ValueRecord* args);
  // 4 and 5: unit properties by (window id, unit id, property index, element index); the value is both words.
  std::uint64_t (*read_property)(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property,
                                 std::int32_t element);
  void (*write_property)(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property,
                         std::int32_t element, std::uint64_t value);
  // 6, 7, 8: runtime memory.
  void* (*allocate)(std::size_t size);
  void* (*reallocate)(void* block, std::size_t size);
  void (*free)(void* block);
  // 9: ends the program with the exit code; returns only when called on another thread while the main thread is
  //    already ending the program.
  void (*end_program)(std::int32_t exit_code);
  // 10: runs the message loop until the program's last window is gone.
  void (*message_loop)();
  // 11: loads the start window.
  void (*load_start_window)(std::uint32_t window_id);
  // 12: the notify handlers, by index; the arguments pass to the handler unchanged. A 64-bit value handed to
  //    handler 5 comes as its low word in the fifth argument and its high word in the sixth.
  std::uint64_t (*notify)(std::int32_t index, std::uintptr_t a1, std::uintptr_t a2, std::uintptr_t a3,
                          std::uintptr_t a4, std::uintptr_t a5, std::uintptr_t a6);
};
static_assert(sizeof(ServiceTable) == 13 * sizeof(void*), "thirteen entries, nothing else");

// The table as the runtime filled it.
const ServiceTable& Services();

}  // namespace quarrow
