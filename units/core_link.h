// The core library's link to the runtime and the pool of small byte buffers that its units share. The library's
// descriptor (commands/core_library.h) connects the link when the runtime starts the library.
#pragma once

#include "base/library_link.h"
#include "units/byte_buffer.h"

namespace quarrow {

const LibraryLink& CoreLink();
// Connects the link; the core library's notify routine calls it with the runtime's notify entry.
void ConnectCoreLink(NotifyRoutine notify);
BufferPool& CoreBufferPool();

}  // namespace quarrow
