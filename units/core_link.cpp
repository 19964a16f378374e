#include "units/core_link.h"

namespace quarrow {

namespace {

// The library's one piece of state: its link to the runtime and its units' buffer pool.
struct CoreLibraryState {
  LibraryLink link;
  BufferPool buffers;
};
CoreLibraryState library;

}  // namespace

const LibraryLink& CoreLink() { return library.link; }
void ConnectCoreLink(NotifyRoutine notify) { library.link.Connect(notify); }
BufferPool& CoreBufferPool() { return library.buffers; }

}  // namespace quarrow
