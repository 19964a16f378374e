#include "base/value.h"

namespace quarrow {

std::size_t type::ElementSize(DataType element) {
  switch (element & ~kArrayBit) {
    case kByte: return 1;
    case kShort: return 2;
    case kInt: return 4;
    case kLong: return 8;
    case kFloat: return 4;
    case kDouble: return 8;
    case kLogical: return 4;
    case kDateTime: return 8;
    case kOpaque8: return 8;
    case kText:
    case kByteSet:
    case kSubroutine: return sizeof(void*);
    default: return 0;
  }
}

std::size_t ArrayBlockSize(std::size_t element_size, const std::int32_t* sizes, std::int32_t dimensions) {
  std::size_t count = 1;
  for (std::int32_t i = 0; i < dimensions; ++i) count *= sizes[i] > 0 ? static_cast<std::size_t>(sizes[i]) : 0;
  return 4 + 4 * static_cast<std::size_t>(dimensions) + element_size * count;
}

std::size_t ArrayView::Count() const {
  if (block == nullptr) return 0;
  const std::int32_t d = Dimensions();
  std::size_t count = 1;
  for (std::int32_t i = 0; i < d; ++i) {
    const std::int32_t s = DimensionSize(i);
    count *= s > 0 ? static_cast<std::size_t>(s) : 0;
  }
  return d > 0 ? count : 0;
}

std::size_t ArrayView::BlockSize(std::size_t element_size) const {
  const std::int32_t d = Dimensions();
  return 4 + 4 * static_cast<std::size_t>(d > 0 ? d : 0) + element_size * Count();
}

}  // namespace quarrow
