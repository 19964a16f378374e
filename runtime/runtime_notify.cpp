#include "runtime/runtime_notify.h"

#include <cstring>

#include "base/error_text.h"
#include "base/music.h"
#include "base/window_directory.h"
#include "runtime/runtime.h"

namespace quarrow {

namespace {

std::intptr_t Address(const void* p) { return reinterpret_cast<std::intptr_t>(p); }

// Converts a numeric value record to an integer; anything else is a runtime error.
std::intptr_t ConvertToNumber(const ValueRecord* value) {
  if (value == nullptr || !type::IsNumeric(value->type)) {
    TheRuntime().ReportError(error_message::kNotANumber, 0);
  }
  switch (value->type) {
    case type::kByte: return value->Byte();
    case type::kShort: return value->Short();
    case type::kInt: return value->Int();
    case type::kLong: return static_cast<std::int32_t>(value->Long());
    case type::kFloat: return static_cast<std::int32_t>(value->Float());
    default: return static_cast<std::int32_t>(value->Double());
  }
}

void CopyPath(std::uintptr_t which, char* buffer) {
  if (buffer == nullptr) return;
  const Runtime& runtime = TheRuntime();
  const std::string* path = nullptr;
  if (which == 1 || which == 2001) path = &runtime.ProgramDirectorySlash();
  if (which == 2002) path = &runtime.ProgramFileName();
  const std::size_t n = path ? std::min<std::size_t>(path->size(), MAX_PATH - 1) : 0;
  if (n) std::memcpy(buffer, path->data(), n);
  buffer[n] = '\0';
}

}  // namespace

std::intptr_t RuntimeNotify(std::int32_t code, std::uintptr_t arg1, std::uintptr_t arg2) {
  Runtime& runtime = TheRuntime();
  RuntimeMemory& memory = runtime.Memory();
  using namespace notify_code;
  switch (code) {
    case kDefaultIcons: {
      auto* icons = reinterpret_cast<HICON*>(arg1);
      if (icons) runtime.DefaultIcons(&icons[0], &icons[1]);
      return 0;
    }
    case kWindowMap: return Address(runtime.Windows());
    case kUnitTypeEntry: return Address(runtime.FindUnitType(static_cast<DataType>(arg1)));
    case 1004: return 1;
    case 1005: return 0x00030005;
    case kCopyPath: CopyPath(arg1, reinterpret_cast<char*>(arg2)); return 0;
    case kAddIdleCallback: {
      // arg2 points to the routine and its argument.
      const auto* pair = reinterpret_cast<const std::uintptr_t*>(arg2);
      if (pair) runtime.AddIdleCallback(reinterpret_cast<HWND>(arg1), reinterpret_cast<IdleRoutine>(pair[0]), pair[1]);
      return 0;
    }
    case kRemoveIdleCallback: runtime.RemoveIdleCallback(reinterpret_cast<HWND>(arg1)); return 0;
    case kConvertToNumber: return ConvertToNumber(reinterpret_cast<const ValueRecord*>(arg1));
    case kProgramDirectory: return Address(runtime.ProgramDirectorySlash().c_str());
    case kProgramFileName: return Address(runtime.ProgramFileName().c_str());
    case kLoadingBegins:
      runtime.ProcessWaitingMessages();
      runtime.RaiseBusy();
      return 0;
    case kLoadingEnds:
      runtime.ProcessWaitingMessages();
      runtime.LowerBusy();
      return 0;
    case kProcessMessages: runtime.ProcessEvents(); return 0;
    case kPlayMusic: {
      const auto* words = reinterpret_cast<const std::uintptr_t*>(arg1);
      Music* music = runtime.Sound();
      return words && music ? music->Play(reinterpret_cast<const void*>(words[0]), words[1], words[2] != 0) : 0;
    }
    case kStopMusic:
      if (Music* music = runtime.Sound()) music->StopAll(false);
      return 0;
    case kFreeArray: memory.FreeArray(static_cast<DataType>(arg1), reinterpret_cast<void*>(arg2)); return 0;
    case kAllocate: return Address(arg2 ? memory.TryAllocate(arg1) : memory.Allocate(arg1));
    case kFree: memory.Free(reinterpret_cast<void*>(arg1)); return 0;
    case kReallocate: return Address(memory.Reallocate(reinterpret_cast<void*>(arg1), arg2));
    case kReportError: {
      const char* text = reinterpret_cast<const char*>(arg1);
      runtime.ReportError(text ? text : "", 0);
    }
    case kEndProgram: runtime.EndProgram(static_cast<std::int32_t>(arg1)); return 0;
    case kCanRaiseEvents: {
      const UnitTypeEntry* entry = runtime.FindUnitType(static_cast<DataType>(arg1));
      if (entry == nullptr) return 0;
      if (entry->flags & 0x4) return 2;
      if (entry->flags & 0x40) return 1;
      return 0;
    }
    case kProgramMode: return runtime.ProgramMode();
    case kTypeInformation: {
      const DataType unit_type = static_cast<DataType>(arg1);
      const std::uint32_t library = unit_type >> 16;
      if (library < 1 || library > runtime.Libraries().size()) return 0;
      const LibraryDescriptor* descriptor = runtime.Libraries()[library - 1];
      if (descriptor == nullptr || descriptor->notify == nullptr) return 0;
      return descriptor->notify(library_notify::kTypeInformation, (unit_type & 0xFFFF) - 1, arg2);
    }
    default:
      // Everything about windows, units and events belongs to the window engine; other codes have no effect.
      return runtime.Windows() ? runtime.Windows()->Notify(code, arg1, arg2) : 0;
  }
}

}  // namespace quarrow
