// What the picture decoders make: a kind, a size and pixels in the kind's layout.
//
//   kJpeg, kBmp  24-bit blue, green, red; rows bottom-up; stride width * 3, no padding.
//   kGif, kPcx8  an indexed-bitmap header (40-byte bitmap info header with a negative height, 256 colours of
//                blue, green, red, 0), then 8-bit indexes, rows top-down, each padded to a multiple of 4 bytes.
//   kPcx1        1-bit rows top-down, each padded to an even number of bytes (a monochrome bitmap's layout).
//   kPng         32-bit blue, green, red, alpha; rows top-down; stride width * 4.
//   kIcon, kCursor  no pixels: the icon is made from the file's chosen image (icon_directory.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "internals/picture_kind.h"
#include "base/byte_stream.h"

namespace quarrow {

// A small file must not be able to ask for gigabytes: larger pictures are not decoded.
inline constexpr std::int64_t kMaxPictureSide = 32767;
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 24;
inline bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

// A GIF's graphic control extension, as recorded from the file (present only when the file has one).
struct GraphicControl {
  bool present = false;
  std::uint8_t disposal = 0;
  bool transparent = false;
  std::uint16_t delay = 0;  // hundredths of a second
  std::uint8_t transparent_index = 0;
};

struct PicturePixels {
  PictureKind kind = PictureKind::kNone;
  std::int32_t width = 0;
  std::int32_t height = 0;
  Bytes pixels;
  GraphicControl control;  // kGif only
};

// The indexed layout of kGif and kPcx8.
inline constexpr std::size_t kBitmapInfoHeaderSize = 40;
inline constexpr std::size_t kIndexedHeaderSize = kBitmapInfoHeaderSize + 256 * 4;
inline constexpr std::size_t IndexedStride(std::int32_t width) {
  return (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
}
// A picture of the indexed layout with every index and colour 0.
PicturePixels MakeIndexedPicture(PictureKind kind, std::int32_t width, std::int32_t height);
inline std::uint8_t* IndexedColour(PicturePixels& p, int index) {
  return p.pixels.data() + kBitmapInfoHeaderSize + 4 * index;
}
inline std::uint8_t* IndexedRow(PicturePixels& p, std::int32_t y) {
  return p.pixels.data() + kIndexedHeaderSize + IndexedStride(p.width) * static_cast<std::size_t>(y);
}

// The 1-bit layout of kPcx1.
inline constexpr std::size_t MonochromeStride(std::int32_t width) {
  return ((static_cast<std::size_t>(width) + 15) / 16) * 2;
}

}  // namespace quarrow
