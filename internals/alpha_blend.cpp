#include "internals/alpha_blend.h"

#include <algorithm>

namespace quarrow {

namespace {

// A / 255 as the composition has always computed it; the truncation that follows depends on this very value.
constexpr double kOneOver255 = 0.0039215689;

std::uint8_t Compose(unsigned alpha, unsigned value, unsigned background) {
  const double v = static_cast<double>(alpha * value / 255) + background * (1.0 - alpha * kOneOver255);
  return static_cast<std::uint8_t>(std::clamp(static_cast<int>(v), 0, 255));
}

}  // namespace

void ComposeOverBackground(std::span<std::uint8_t> bgra, std::uint32_t background) {
  const unsigned red = background & 0xFF;
  const unsigned green = (background >> 8) & 0xFF;
  const unsigned blue = (background >> 16) & 0xFF;
  for (std::size_t i = 0; i + 4 <= bgra.size(); i += 4) {
    std::uint8_t* p = bgra.data() + i;
    const unsigned alpha = p[3];
    if (alpha == 255) continue;
    p[0] = Compose(alpha, p[0], blue);
    p[1] = Compose(alpha, p[1], green);
    p[2] = Compose(alpha, p[2], red);
    p[3] = 255;
  }
}

void ShowTransparentIndexAs(PicturePixels& picture, std::uint32_t background) {
  if (picture.kind != PictureKind::kGif || !picture.control.transparent) return;
  if (picture.pixels.size() < kIndexedHeaderSize) return;
  std::uint8_t* c = IndexedColour(picture, picture.control.transparent_index);
  c[0] = static_cast<std::uint8_t>(background >> 16);
  c[1] = static_cast<std::uint8_t>(background >> 8);
  c[2] = static_cast<std::uint8_t>(background);
}

}  // namespace quarrow
