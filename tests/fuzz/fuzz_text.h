// Fuzz input as a zero-terminated text: the bytes up to the first zero, copied into a block that ends with the
// terminator, so that any read past the terminator leaves the block and is caught by the address sanitizer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace quarrow::fuzzing {

struct FuzzText {
  std::unique_ptr<char[]> bytes;
  std::size_t length;

  FuzzText(const std::uint8_t* data, std::size_t size) {
    const void* zero = std::memchr(data, 0, size);
    length = zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - data) : size;
    bytes.reset(new char[length + 1]);
    std::memcpy(bytes.get(), data, length);
    bytes[length] = '\0';
  }
  const char* Get() const { return bytes.get(); }

  // Whether the text ends with a lead byte (0x80 or above) that starts a character but has no trail byte.
  bool EndsWithLoneLead() const {
    std::size_t i = 0;
    while (i < length) i += static_cast<unsigned char>(bytes[i]) >= 0x80 ? 2 : 1;
    return i > length;
  }
  // The same text without its last byte.
  FuzzText WithoutLastByte() const { return FuzzText(reinterpret_cast<const std::uint8_t*>(Get()), length - 1); }
};

}  // namespace quarrow::fuzzing
