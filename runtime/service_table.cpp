#include "runtime/service_table.h"

#include <float.h>

#include "base/window_directory.h"
#include "runtime/find_file.h"
#include "runtime/runtime.h"

namespace quarrow {

namespace {

void ReportErrorEntry(std::int32_t index) { TheRuntime().ReportIndexedError(index); }

void* DllCommandEntry(std::int32_t index) { return TheRuntime().ResolveDllCommand(index); }

// The runtime zeroes the result record, the command fills it; a command with nothing to return leaves it zero.
ValueRecord CallCommandEntry(CommandRoutine command, std::int32_t count, ValueRecord* args) {
  ValueRecord result{};
  command(&result, count, args);
  return result;
}

// Without a window engine there are no units: their properties read as 0 and take nothing.
std::uint64_t ReadPropertyEntry(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property,
                                std::int32_t element) {
  WindowDirectory* windows = TheRuntime().Windows();
  return windows ? windows->ReadProperty(window_id, unit_id, property, element) : 0;
}

void WritePropertyEntry(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property,
                        std::int32_t element, std::uint64_t value) {
  if (WindowDirectory* windows = TheRuntime().Windows()) {
    windows->WriteProperty(window_id, unit_id, property, element, value);
  }
}

void* AllocateEntry(std::size_t size) { return TheRuntime().Memory().Allocate(size); }
void* ReallocateEntry(void* block, std::size_t size) { return TheRuntime().Memory().Reallocate(block, size); }
void FreeEntry(void* block) { TheRuntime().Memory().Free(block); }
void EndProgramEntry(std::int32_t exit_code) { TheRuntime().EndProgram(exit_code); }
void MessageLoopEntry() { TheRuntime().RunMessageLoop(); }
void LoadStartWindowEntry(std::uint32_t window_id) { TheRuntime().LoadStartWindow(window_id); }

std::uint64_t NotifyEntry(std::int32_t index, std::uintptr_t a1, std::uintptr_t a2, std::uintptr_t a3,
                          std::uintptr_t a4, std::uintptr_t a5, std::uintptr_t a6) {
  Runtime& runtime = TheRuntime();
  switch (index) {
    case notify_index::kFindFile:
      return reinterpret_cast<std::uintptr_t>(FindFile(reinterpret_cast<const char*>(a1),
                                                       static_cast<std::uint32_t>(a2), a3 != 0,
                                                       reinterpret_cast<HANDLE*>(a4), runtime.Memory()));
    case notify_index::kCloseFind: CloseFind(reinterpret_cast<HANDLE>(a1)); return 0;
    case notify_index::kMakeArrayPrivate:
      runtime.Memory().MakeArrayPrivate(a1, reinterpret_cast<void**>(a2));
      return 0;
    case notify_index::kRegisterExitRoutine:
      runtime.RegisterExitRoutine(reinterpret_cast<ExitRoutine>(a1));
      return 0;
    case notify_index::kReadDetachedProperty:
      if (runtime.Windows() == nullptr) return 0;
      return runtime.Windows()->ReadDetachedProperty(static_cast<DataType>(a1), reinterpret_cast<void*>(a2),
                                                     static_cast<std::int32_t>(a3), static_cast<std::int32_t>(a4));
    case notify_index::kWriteDetachedProperty: {
      if (runtime.Windows() == nullptr) return 0;
      const std::uint64_t value = (static_cast<std::uint64_t>(a6) << 32) | (a5 & 0xFFFFFFFFu);
      runtime.Windows()->WriteDetachedProperty(static_cast<DataType>(a1), reinterpret_cast<void*>(a2),
                                               static_cast<std::int32_t>(a3), static_cast<std::int32_t>(a4), value);
      return 0;
    }
    case notify_index::kInitialiseRuntime: runtime.Initialise(); return 0;
    default: return 0;
  }
}

constexpr ServiceTable kServiceTable = {
    ReportErrorEntry,   DllCommandEntry,  CallCommandEntry, CallCommandEntry,     ReadPropertyEntry,
    WritePropertyEntry, AllocateEntry,    ReallocateEntry,  FreeEntry,            EndProgramEntry,
    MessageLoopEntry,   LoadStartWindowEntry, NotifyEntry,
};

}  // namespace

const ServiceTable& Services() { return kServiceTable; }

}  // namespace quarrow
