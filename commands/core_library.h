// The core library: the standard unit types and most commands.
#pragma once

#include "base/library_link.h"
#include "base/program_header.h"
#include "units/core_link.h"

namespace quarrow {

extern const LibraryDescriptor kCoreLibrary;

}  // namespace quarrow
