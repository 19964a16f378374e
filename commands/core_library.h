// The core library: the standard unit types and most commands.
#pragma once

#include "runtime/library_link.h"
#include "runtime/program_header.h"
#include "units/byte_buffer.h"

namespace quarrow {

extern const LibraryDescriptor kCoreLibrary;
// The core library's link to the runtime, for its commands and units.
const LibraryLink& CoreLink();
// The pool of small byte buffers that the core library's units share.
BufferPool& CoreBufferPool();

}  // namespace quarrow
