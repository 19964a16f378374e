// Picture kinds and how a picture file's first bytes name its kind.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quarrow {

enum class PictureKind : std::int32_t {
  kNone = 0,
  kJpeg = 1,
  kBmp = 2,
  kIcon = 3,
  kCursor = 4,
  kGif = 5,
  kPcx8 = 6,
  kPcx1 = 7,
  kPng = 8,
};

// The kind a file starting with these bytes has; fewer than six bytes, or no known signature, give kNone.
PictureKind DetectPictureKind(const void* bytes, std::size_t count);

}  // namespace quarrow
