// The OS interface library: one command, no unit types.
#pragma once

#include "base/library_link.h"
#include "base/program_header.h"

namespace quarrow {

extern const LibraryDescriptor kOsLibrary;
// The OS interface library's link to the runtime, for its command.
const LibraryLink& OsLink();

}  // namespace quarrow
