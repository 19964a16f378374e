#include "commands/os_library.h"

#include "commands/os_commands.h"
#include "runtime/runtime_notify.h"

namespace quarrow {

namespace {

LibraryLink link;

std::intptr_t OsLibraryNotify(std::int32_t code, std::uintptr_t arg1, std::uintptr_t) {
  switch (code) {
    case library_notify::kStart: link.Connect(reinterpret_cast<NotifyRoutine>(arg1)); return 0;
    default: return 0;
  }
}

}  // namespace

const LibraryLink& OsLink() { return link; }

const LibraryDescriptor kOsLibrary = {
    kLibraryFormatCode,
    "9E3D1C7B5A2F4E6D8C0B1A2F3E4D5C6B",
    {3, 0, 0},
    {3, 0, 3, 0},
    "操作系统接口库",
    1,
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    0,
    nullptr,
    {0, 0},
    os_command::kCount,
    0,
    kOsCommands,
    {0, 0},
    OsLibraryNotify,
    {0, 0, 0, 0, 0},
};

}  // namespace quarrow
