#include "commands/core_library.h"

#include "commands/core_commands.h"
#include "runtime/runtime_notify.h"
#include "commands/core_unit_types.h"

namespace quarrow {

namespace {

std::intptr_t CoreLibraryNotify(std::int32_t code, std::uintptr_t arg1, std::uintptr_t) {
  switch (code) {
    case library_notify::kStart: ConnectCoreLink(reinterpret_cast<NotifyRoutine>(arg1)); return 0;
    case library_notify::kShutdown: return 0;
    default: return -1;
  }
}

}  // namespace

const LibraryDescriptor kCoreLibrary = {
    kLibraryFormatCode,
    "b7e41c09a6d3452f8c1e90d2f4a6b3c1",
    {5, 3, 64},
    {3, 7, 3, 7},
    "核心库",
    1,
    {0, 0xC0000001, 0, 0, 0, 0, 0, 0, 0, 0},
    kCoreUnitTypeCount,
    kCoreUnitTypes,
    {0, 0},
    core_command::kCount,
    0,
    kCoreCommands,
    {0, 0},
    CoreLibraryNotify,
    {0, 0, 0, 0, 0},
};

}  // namespace quarrow
