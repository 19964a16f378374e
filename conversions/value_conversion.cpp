#include "conversions/value_conversion.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "conversions/date_text.h"
#include "conversions/number_text.h"
#include "conversions/text_to_integer.h"

namespace quarrow {

namespace {

std::int64_t TruncateToLong(double v) {
  // Outside [-2^63, 2^63) the conversion has no result of its own; the C runtime yields the indefinite integer.
  constexpr double kLimit = 9223372036854775808.0;
  if (!(v >= -kLimit && v < kLimit)) return INT64_MIN;
  return static_cast<std::int64_t>(v);
}

std::string UpToFirstZero(const std::uint8_t* bytes, std::size_t size) {
  const void* zero = std::memchr(bytes, 0, size);
  if (zero != nullptr) size = static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - bytes);
  return std::string(reinterpret_cast<const char*>(bytes), size);
}

}  // namespace

std::int32_t ValueToInteger(const ValueRecord& value) {
  switch (value.type) {
    case type::kByte: return value.Byte();
    case type::kShort: return value.Short();
    case type::kInt:
    case type::kLogical:
    case type::kSubroutine:
    case type::kLong: return static_cast<std::int32_t>(value.word1);
    case type::kFloat: return static_cast<std::int32_t>(TruncateToLong(value.Float()));
    case type::kDouble: return static_cast<std::int32_t>(TruncateToLong(value.Double()));
    case type::kText: return TextToInteger(value.Text());
    default: return 0;
  }
}

double ValueToNumber(const ValueRecord& value) {
  switch (value.type) {
    case type::kByte: return value.Byte();
    case type::kShort: return value.Short();
    case type::kInt: return value.Int();
    case type::kLong: return static_cast<double>(value.Long());
    case type::kFloat: return value.Float();
    case type::kDouble: return value.Double();
    default: return 0;
  }
}

std::string ValueToText(const ValueRecord& value) {
  if (type::IsArray(value.type)) {
    const DataType element = type::ElementType(value.type);
    if (!type::IsNumeric(element) || value.Pointer() == nullptr) return {};
    const ArrayView array{value.Pointer()};
    return UpToFirstZero(array.Elements(), array.Count() * type::ElementSize(element));
  }
  switch (value.type) {
    case type::kByte: return std::to_string(value.Byte());
    case type::kShort: return std::to_string(value.Short());
    case type::kInt: return std::to_string(value.Int());
    case type::kLong: return std::to_string(value.Long());
    case type::kFloat: return FloatText(value.Float());
    case type::kDouble: return DoubleText(value.Double());
    case type::kLogical: return value.Logical() ? "真" : "假";
    case type::kDateTime: return DateTimeText(value.Double());
    case type::kText: return value.Text() ? std::string(value.Text()) : std::string();
    case type::kByteSet: {
      const ByteSetView bytes = ByteSetView::Of(value.Pointer());
      return bytes.data ? UpToFirstZero(bytes.data, bytes.size) : std::string();
    }
    default: return {};
  }
}

}  // namespace quarrow
