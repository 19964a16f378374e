#include "commands/byte_set_conversion.h"

#include <cstring>
#include <limits>

namespace quarrow {

namespace {

constexpr std::size_t kLargestByteSet = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());

}  // namespace

ValueBytes ValueBytes::Outside(const void* data, std::size_t size) {
  ValueBytes bytes;
  if (data == nullptr || size == 0 || size > kLargestByteSet) return bytes;
  bytes.outside_ = static_cast<const std::uint8_t*>(data);
  bytes.size_ = size;
  return bytes;
}

ValueBytes ValueBytes::Inside(const ValueRecord& value, std::size_t size) {
  ValueBytes bytes;
  // The record's two words hold the value little-endian, word 1 first, on every target.
  const std::uint64_t bits = value.Bits();
  for (std::size_t i = 0; i < size; ++i) bytes.inside_[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  bytes.size_ = size;
  return bytes;
}

ValueBytes ValueBytes::Of(const ValueRecord& value) {
  if (type::IsArray(value.type)) {
    const DataType element = type::ElementType(value.type);
    if (!type::IsNumeric(element)) return ValueBytes();
    const ArrayView array{value.Pointer()};
    const std::size_t count = array.Count();
    const std::size_t element_size = type::ElementSize(element);
    if (count > kLargestByteSet / element_size) return ValueBytes();
    return Outside(count > 0 ? array.Elements() : nullptr, count * element_size);
  }
  switch (value.type) {
    case type::kText: {
      const char* text = value.Text();
      return Outside(text, text != nullptr ? std::strlen(text) : 0);
    }
    case type::kByteSet: {
      const ByteSetView set = ByteSetView::Of(value.Pointer());
      return Outside(set.data, set.size);
    }
    case type::kByte: return Inside(value, 1);
    case type::kShort: return Inside(value, 2);
    case type::kInt:
    case type::kFloat:
    case type::kLogical: return Inside(value, 4);
    case type::kLong:
    case type::kDouble:
    case type::kDateTime: return Inside(value, 8);
    case type::kSubroutine: return Inside(value, sizeof(void*));
    default: return ValueBytes();
  }
}

}  // namespace quarrow
