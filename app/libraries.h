// The command libraries of the program, in the order of its header: core, extended interface, OS interface.
#pragma once

#include "base/program_header.h"

namespace quarrow::app {

inline constexpr int kLibraryCount = 3;
extern const LibraryDescriptor* const kLibraries[kLibraryCount];

}  // namespace quarrow::app
