// Byte buffers for the byte-data properties of units (fonts, pictures, item data, lists).
//
// Small buffers come from a library-wide pool of 96 slots of 512 bytes, so that the many small property values of
// a window's units cost no heap traffic; bigger ones, and small ones once the pool is full, come from the heap
// with 128 bytes of slack. Each command library that has units keeps one pool of its own.
//
// Resizing rules:
//   - a buffer without a block gets a pool slot (capacity 512) for a request of at most 512 bytes while a slot is
//     free, otherwise a heap block with capacity request + 128;
//   - a resize that fits the capacity keeps the block when it is a pool slot, or when no more than 256 bytes would
//     be left over; otherwise a pool block moves to a new heap block of size + 128 (its slot is freed) and a heap
//     block is reallocated to size + 128;
//   - resizing to 0 frees the block.
// A heap that cannot serve a request leaves the buffer as it was, and the call reports false.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/byte_stream.h"
#include "base/memory.h"

namespace quarrow {

class BufferPool {
 public:
  static constexpr std::size_t kSlotSize = 512;
  static constexpr std::size_t kSlotCount = 96;
  static constexpr std::size_t kHeapSlack = 128;
  static constexpr std::size_t kKeptSurplus = 256;

  explicit BufferPool(HeapBackend& heap = SystemHeap()) : heap_(&heap) {}
  BufferPool(const BufferPool&) = delete;
  BufferPool& operator=(const BufferPool&) = delete;

  HeapBackend& Heap() const { return *heap_; }
  void SetHeap(HeapBackend& heap) { heap_ = &heap; }

  // A free slot, marked used; null when all are taken.
  std::uint8_t* TakeSlot();
  // Clears the slot's mark; a pointer that is no slot start of this pool is ignored.
  void ReturnSlot(const std::uint8_t* slot);
  bool IsSlot(const std::uint8_t* block) const;
  std::uint32_t UsedSlots() const { return used_; }

 private:
  HeapBackend* heap_;
  std::uint32_t used_ = 0;
  std::array<std::uint8_t, kSlotCount> marks_{};
  alignas(8) std::uint8_t slots_[kSlotCount][kSlotSize];
};

class ByteBuffer {
 public:
  explicit ByteBuffer(BufferPool& pool) : pool_(&pool) {}
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;
  ~ByteBuffer() { Free(); }

  // Changes the length, keeping the bytes that fit; new bytes are zero. False (nothing changed) when the heap
  // cannot serve the request.
  bool Resize(std::size_t size);
  // Replaces the contents; false (nothing changed) when the heap cannot serve the request.
  bool Assign(std::span<const std::uint8_t> bytes);
  bool Assign(const void* data, std::size_t size) {
    return Assign({static_cast<const std::uint8_t*>(data), data ? size : 0});
  }
  void Free();

  const std::uint8_t* Data() const { return data_; }
  std::uint8_t* Data() { return data_; }
  std::size_t Size() const { return size_; }
  std::size_t Capacity() const { return capacity_; }
  bool Empty() const { return size_ == 0; }
  bool InPool() const { return data_ != nullptr && pool_->IsSlot(data_); }
  std::span<const std::uint8_t> View() const { return {data_, size_}; }
  Bytes ToBytes() const { return Bytes(data_, data_ + size_); }

 private:
  bool MoveToHeap(std::size_t size);

  BufferPool* pool_;
  std::uint8_t* data_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t size_ = 0;
};

}  // namespace quarrow
