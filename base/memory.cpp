#include "base/memory.h"

#include <cstdlib>
#include <cstring>

namespace quarrow {

namespace {

class CHeap final : public HeapBackend {
 public:
  void* Allocate(std::size_t size) override { return std::malloc(size ? size : 1); }
  void* Reallocate(void* block, std::size_t size) override { return std::realloc(block, size ? size : 1); }
  void Free(void* block) override { std::free(block); }
};

}  // namespace

HeapBackend& SystemHeap() {
  static CHeap heap;
  return heap;
}

void RuntimeMemory::SetConstantBlock(const void* start, std::size_t size) {
  if (start == nullptr || size == 0) {
    constant_start_ = nullptr;
    constant_size_ = 0;
    return;
  }
  constant_start_ = static_cast<const std::uint8_t*>(start);
  constant_size_ = size;
}

bool RuntimeMemory::IsConstant(const void* address) const {
  if (constant_start_ == nullptr || address == nullptr) return false;
  const auto a = reinterpret_cast<std::uintptr_t>(address);
  const auto start = reinterpret_cast<std::uintptr_t>(constant_start_);
  return a >= start && a - start < constant_size_;
}

void* RuntimeMemory::Allocate(std::size_t size) {
  void* block = heap_->Allocate(size);
  if (block == nullptr) failure_->AllocationFailed(size);
  return block;
}

void* RuntimeMemory::TryAllocate(std::size_t size) { return heap_->Allocate(size); }

void* RuntimeMemory::Reallocate(void* block, std::size_t size) {
  if (block == nullptr) return Allocate(size);
  if (IsConstant(block)) {
    // Constant data is never resized in place: copy what lies between the address and the end of the block.
    void* copy = Allocate(size);
    const auto offset = static_cast<std::size_t>(static_cast<const std::uint8_t*>(block) - constant_start_);
    const std::size_t available = constant_size_ - offset;
    std::memcpy(copy, block, size < available ? size : available);
    return copy;
  }
  void* resized = heap_->Reallocate(block, size);
  if (resized == nullptr) failure_->AllocationFailed(size);
  return resized;
}

void RuntimeMemory::Free(void* block) {
  if (block == nullptr || IsConstant(block)) return;
  heap_->Free(block);
}

void RuntimeMemory::FreeArray(DataType array_type, void* array) {
  if (array == nullptr) return;
  const DataType element = type::ElementType(array_type);
  if ((element == type::kText || element == type::kByteSet) && !IsConstant(array)) {
    ArrayView view{array};
    const std::size_t count = view.Count();
    std::uint8_t* elements = view.Elements();
    for (std::size_t i = 0; i < count; ++i) {
      void* item;
      std::memcpy(&item, elements + i * sizeof(void*), sizeof item);
      Free(item);
    }
  }
  Free(array);
}

void RuntimeMemory::MakeArrayPrivate(std::size_t element_size, void** array) {
  if (array == nullptr || !IsConstant(*array)) return;
  const std::size_t size = ArrayView{*array}.BlockSize(element_size);
  void* copy = Allocate(size);
  std::memcpy(copy, *array, size);
  *array = copy;
}

char* RuntimeMemory::CopyText(const char* text) {
  if (text == nullptr || *text == '\0') return nullptr;
  return TextFromBytes(text, static_cast<std::ptrdiff_t>(std::strlen(text)));
}

char* RuntimeMemory::TextFromBytes(const void* bytes, std::ptrdiff_t length) {
  if (length < 1) return nullptr;
  auto* text = static_cast<char*>(Allocate(static_cast<std::size_t>(length) + 1));
  std::memcpy(text, bytes, static_cast<std::size_t>(length));
  text[length] = '\0';
  return text;
}

void* RuntimeMemory::ByteSetFromBytes(const void* bytes, std::size_t length) {
  if (length == 0) return nullptr;
  auto* block = static_cast<std::uint8_t*>(Allocate(kByteSetHeader + length));
  WriteByteSetHeader(block, static_cast<std::int32_t>(length));
  std::memcpy(block + kByteSetHeader, bytes, length);
  return block;
}

}  // namespace quarrow
