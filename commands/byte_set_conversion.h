// The raw bytes ToByteSet makes of a value, by its data-type code. The bytes are looked at where they are: in the
// record itself for the basic types, inside the text, byte-set or array block for the others.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "base/value.h"

namespace quarrow {

class ValueBytes {
 public:
  // text: its bytes without the terminator; byte, short, int, long, float, double: the value little-endian in
  // 1, 2, 4, 8, 4, 8 bytes; logical: its 4-byte word; subroutine pointer: the address (pointer-sized); date-time:
  // the 8 bytes of its day number; byte set: its bytes; array of a numeric type: all elements' bytes in block
  // order. Anything else, an omitted value included, has no bytes. So has a value of more than 2^31 - 1 bytes,
  // which a byte set's 32-bit length cannot count.
  static ValueBytes Of(const ValueRecord& value);

  // A view that may point into this object: not to be taken from a temporary.
  std::span<const std::uint8_t> Bytes() const& { return {Data(), size_}; }
  std::span<const std::uint8_t> Bytes() const&& = delete;
  std::size_t Size() const { return size_; }

 private:
  ValueBytes() = default;
  static ValueBytes Outside(const void* data, std::size_t size);
  static ValueBytes Inside(const ValueRecord& value, std::size_t size);
  const std::uint8_t* Data() const { return outside_ != nullptr ? outside_ : inside_; }

  // Basic values are copied out of the record, so that the result does not point into a temporary record.
  std::uint8_t inside_[8] = {};
  const std::uint8_t* outside_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace quarrow
