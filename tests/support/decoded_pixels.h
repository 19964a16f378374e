// Reading pixels back from decoded pictures, by position from the top-left, as 0xRRGGBB (indexes for indexed
// and 1-bit pictures), and checking that a decoder rejects every cut-short copy of a file.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <span>

#include "internals/picture_pixels.h"

namespace quarrow::testing {

inline std::uint32_t RgbOf(const std::uint8_t* bgr) {
  return static_cast<std::uint32_t>(bgr[2]) << 16 | static_cast<std::uint32_t>(bgr[1]) << 8 | bgr[0];
}

// kJpeg and kBmp: rows bottom-up.
inline std::uint32_t TrueColourAt(const PicturePixels& p, int x, int y) {
  const std::size_t row = static_cast<std::size_t>(p.height - 1 - y);
  return RgbOf(p.pixels.data() + (row * p.width + x) * 3);
}
// kPng: rows top-down, alpha in the top byte.
inline std::uint32_t BgraAt(const PicturePixels& p, int x, int y) {
  const std::uint8_t* q = p.pixels.data() + (static_cast<std::size_t>(y) * p.width + x) * 4;
  return static_cast<std::uint32_t>(q[3]) << 24 | RgbOf(q);
}
inline std::uint8_t IndexAt(const PicturePixels& p, int x, int y) {
  return p.pixels[kIndexedHeaderSize + IndexedStride(p.width) * y + x];
}
inline std::uint32_t TableColour(const PicturePixels& p, int index) {
  return RgbOf(p.pixels.data() + kBitmapInfoHeaderSize + 4 * index);
}
inline int BitAt(const PicturePixels& p, int x, int y) {
  return (p.pixels[MonochromeStride(p.width) * y + x / 8] >> (7 - x % 8)) & 1;
}

// Every copy of the file cut short, each in a heap block of exactly its size (so that the address sanitizer
// sees any read past it), is rejected, except at the given lengths.
template <class Decode>
void ExpectEveryCutRejected(const Bytes& file, Decode decode, const std::set<std::size_t>& accepted = {}) {
  for (std::size_t n = 0; n < file.size(); ++n) {
    const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_EQ(decode(std::span<const std::uint8_t>(cut)).has_value(), accepted.count(n) > 0)
        << "file cut to " << n << " of " << file.size() << " bytes";
  }
}

}  // namespace quarrow::testing
