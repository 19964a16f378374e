// Runtime memory: the one heap on which texts, byte sets and arrays travel between application code, commands,
// units and the runtime.
//
// Blocks carry no header of ours: a text block is exactly its length plus the terminator, so a block address can
// be handed to the platform unchanged. The application's constant data block (literal texts and constant arrays)
// belongs to no one: freeing an address inside it is a no-op, and resizing or privatising copies it first.
//
// The heap itself and what happens when it runs dry come in through HeapBackend and FailureSink, so that the
// Windows build uses the process heap and reports a runtime error, while tests use a heap that fails on demand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/value.h"

namespace quarrow {

class HeapBackend {
 public:
  virtual ~HeapBackend() = default;
  // Each returns null when the heap cannot serve the request.
  virtual void* Allocate(std::size_t size) = 0;
  virtual void* Reallocate(void* block, std::size_t size) = 0;
  virtual void Free(void* block) = 0;
};

// The C library's heap; what the platform-neutral builds and their tests use.
HeapBackend& SystemHeap();

class FailureSink {
 public:
  virtual ~FailureSink() = default;
  // Reports "分配 %d 字节内存失败!" with the requested size; does not return.
  [[noreturn]] virtual void AllocationFailed(std::size_t size) = 0;
};

class RuntimeMemory {
 public:
  RuntimeMemory(HeapBackend& heap, FailureSink& failure) : heap_(&heap), failure_(&failure) {}

  void SetHeap(HeapBackend& heap) { heap_ = &heap; }
  HeapBackend& Heap() const { return *heap_; }

  // The constant data block; a size of 0 means there is none.
  void SetConstantBlock(const void* start, std::size_t size);
  void ClearConstantBlock() { SetConstantBlock(nullptr, 0); }
  bool IsConstant(const void* address) const;

  // Never null: a heap that cannot serve the request ends the program through the failure sink.
  void* Allocate(std::size_t size);
  void* Reallocate(void* block, std::size_t size);
  void Free(void* block);
  // Null when the heap cannot serve the request.
  void* TryAllocate(std::size_t size);

  // Frees an array block; for text and byte-set arrays each element block first.
  void FreeArray(DataType array_type, void* array);
  // An array inside the constant data block is copied to the heap and *array replaced by the copy.
  void MakeArrayPrivate(std::size_t element_size, void** array);

  // Value helpers. Each returns null for the empty value.
  char* CopyText(const char* text);
  char* TextFromBytes(const void* bytes, std::ptrdiff_t length);
  char* TextFrom(std::string_view text) { return TextFromBytes(text.data(), static_cast<std::ptrdiff_t>(text.size())); }
  void* ByteSetFromBytes(const void* bytes, std::size_t length);

 private:
  HeapBackend* heap_;
  FailureSink* failure_;
  const std::uint8_t* constant_start_ = nullptr;
  std::size_t constant_size_ = 0;
};

}  // namespace quarrow
