#include "units/byte_buffer.h"

#include <algorithm>
#include <cstring>

namespace quarrow {

std::uint8_t* BufferPool::TakeSlot() {
  if (used_ >= kSlotCount) return nullptr;
  for (std::size_t i = 0; i < kSlotCount; ++i) {
    if (marks_[i] == 0) {
      marks_[i] = 1;
      ++used_;
      return slots_[i];
    }
  }
  return nullptr;
}

bool BufferPool::IsSlot(const std::uint8_t* block) const {
  const auto* first = &slots_[0][0];
  if (block < first || block >= first + sizeof slots_) return false;
  return (block - first) % kSlotSize == 0;
}

void BufferPool::ReturnSlot(const std::uint8_t* slot) {
  if (!IsSlot(slot)) return;
  const auto index = static_cast<std::size_t>(slot - &slots_[0][0]) / kSlotSize;
  if (marks_[index] == 0) return;
  marks_[index] = 0;
  --used_;
}

void ByteBuffer::Free() {
  if (data_ != nullptr) {
    if (pool_->IsSlot(data_)) {
      pool_->ReturnSlot(data_);
    } else {
      pool_->Heap().Free(data_);
    }
  }
  data_ = nullptr;
  capacity_ = size_ = 0;
}

bool ByteBuffer::MoveToHeap(std::size_t size) {
  auto* block = static_cast<std::uint8_t*>(pool_->Heap().Allocate(size + BufferPool::kHeapSlack));
  if (block == nullptr) return false;
  std::memcpy(block, data_, std::min(size_, size));
  pool_->ReturnSlot(data_);
  data_ = block;
  capacity_ = size + BufferPool::kHeapSlack;
  return true;
}

bool ByteBuffer::Resize(std::size_t size) {
  if (size == 0) {
    Free();
    return true;
  }
  const std::size_t old_size = size_;
  if (data_ == nullptr) {
    std::uint8_t* block = size <= BufferPool::kSlotSize ? pool_->TakeSlot() : nullptr;
    std::size_t capacity = BufferPool::kSlotSize;
    if (block == nullptr) {
      block = static_cast<std::uint8_t*>(pool_->Heap().Allocate(size + BufferPool::kHeapSlack));
      if (block == nullptr) return false;
      capacity = size + BufferPool::kHeapSlack;
    }
    data_ = block;
    capacity_ = capacity;
  } else {
    const bool in_pool = pool_->IsSlot(data_);
    const bool fits = size <= capacity_;
    if (!(fits && (in_pool || capacity_ - size <= BufferPool::kKeptSurplus))) {
      if (in_pool) {
        if (!MoveToHeap(size)) return false;
      } else {
        void* block = pool_->Heap().Reallocate(data_, size + BufferPool::kHeapSlack);
        if (block == nullptr) return false;
        data_ = static_cast<std::uint8_t*>(block);
        capacity_ = size + BufferPool::kHeapSlack;
      }
    }
  }
  if (size > old_size) std::memset(data_ + old_size, 0, size - old_size);
  size_ = size;
  return true;
}

bool ByteBuffer::Assign(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) {
    Free();
    return true;
  }
  // The source may lie inside this buffer; copy it aside only then.
  if (data_ != nullptr && bytes.data() >= data_ && bytes.data() < data_ + capacity_) {
    Bytes copy(bytes.begin(), bytes.end());
    return Assign(std::span<const std::uint8_t>(copy));
  }
  if (!Resize(bytes.size())) return false;
  std::memcpy(data_, bytes.data(), bytes.size());
  return true;
}

}  // namespace quarrow
