// The extended interface library: the ListView unit type and the five commands on its rows.
#pragma once

#include <cstdint>

#include "base/library_link.h"
#include "base/program_header.h"
#include "units/byte_buffer.h"

namespace quarrow {

extern const LibraryDescriptor kExtendedLibrary;
// The library's link to the runtime, for its commands and its units.
const LibraryLink& ExtendedLink();
// The pool of small byte buffers that the library's units share; separate from the core library's.
BufferPool& ExtendedBufferPool();

// The library's position in a program header's library array: unit-type references 0x0002nnnn name its types.
inline constexpr std::uint32_t kExtendedLibraryNumber = 2;
inline constexpr std::uint32_t kExtendedUnitTypeCount = 5;
extern const UnitTypeEntry kExtendedUnitTypes[kExtendedUnitTypeCount];

}  // namespace quarrow
