#include "units/extended_library.h"

#include "runtime/runtime_notify.h"
#include "units/list_view.h"
#include "units/list_view_commands.h"
#include "units/list_view_properties.h"

namespace quarrow {

namespace {

// The library's one piece of state: its link to the runtime and its units' buffer pool.
struct ExtendedLibraryState {
  LibraryLink link;
  BufferPool buffers;
};
ExtendedLibraryState library;

std::intptr_t ExtendedLibraryNotify(std::int32_t code, std::uintptr_t arg1, std::uintptr_t) {
  switch (code) {
    case library_notify::kStart: library.link.Connect(reinterpret_cast<NotifyRoutine>(arg1)); return 0;
    default: return 0;
  }
}

}  // namespace

const LibraryLink& ExtendedLink() { return library.link; }
BufferPool& ExtendedBufferPool() { return library.buffers; }

// The ListView is type 4; the slots before it and after it are types this program does not use.
const UnitTypeEntry kExtendedUnitTypes[kExtendedUnitTypeCount] = {
    {},  // 1
    {},  // 2
    {},  // 3
    {"超级列表框", "ListView", {0, 0, 0}, list_view::kUnitTypeFlags, {0, 0, 0}, list_view::kPropertyTable.size(),
     list_view::kPropertyTable.data(), ListViewInterface, {0, 0}},  // 4
    {},  // 5
};

const LibraryDescriptor kExtendedLibrary = {
    kLibraryFormatCode,
    "5a0c93e2b8f14d7ea6c2d1f0e9b8a7c4",
    {2, 0, 3},
    {3, 0, 3, 0},
    "界面扩展库",
    1,
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    kExtendedUnitTypeCount,
    kExtendedUnitTypes,
    {0, 0},
    list_view_command::kCount,
    0,
    kListViewCommands,
    {0, 0},
    ExtendedLibraryNotify,
    {0, 0, 0, 0, 0},
};

}  // namespace quarrow
