#include "internals/picture_kind.h"

namespace quarrow {

PictureKind DetectPictureKind(const void* bytes, std::size_t count) {
  if (bytes == nullptr || count < 6) return PictureKind::kNone;
  const auto* b = static_cast<const std::uint8_t*>(bytes);
  const auto word = [b](int at) { return static_cast<unsigned>(b[at] | (b[at + 1] << 8)); };

  if (b[0] == 'B' && b[1] == 'M') return PictureKind::kBmp;
  if (b[0] == 0xFF && b[1] == 0xD8) return PictureKind::kJpeg;
  if (b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G') return PictureKind::kPng;
  if (word(0) == 0 && word(4) > 0) {
    if (word(2) == 1) return PictureKind::kIcon;
    if (word(2) == 2) return PictureKind::kCursor;
  }
  if (b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8' && (b[4] == '7' || b[4] == '9') && b[5] == 'a') {
    return PictureKind::kGif;
  }
  if (b[0] == 0x0A && b[1] <= 5 && b[2] == 1 && b[3] == 8) return PictureKind::kPcx8;
  if (b[0] == 0x0A && b[1] == 3 && b[2] == 1 && b[3] == 1) return PictureKind::kPcx1;
  return PictureKind::kNone;
}

}  // namespace quarrow
