// Pictures over a background colour: PNG pixels composed by their alpha, and a GIF's transparent index.
// Colours are RGB values as the platform keeps them: red in the low byte, then green, then blue.
#pragma once

#include <cstdint>
#include <span>

#include "internals/picture_pixels.h"

namespace quarrow {

// Composes 32-bit blue, green, red, alpha pixels over the background in place. A pixel with alpha A below 255
// gets, per component v with background component g, A * v / 255 + g * (1 - A / 255), truncated and clamped to
// 0..255, and becomes opaque; opaque pixels keep their colour.
void ComposeOverBackground(std::span<std::uint8_t> bgra, std::uint32_t background);

// For an indexed picture whose graphic control makes one index transparent: that index's colour becomes the
// background. Other pictures are left alone.
void ShowTransparentIndexAs(PicturePixels& picture, std::uint32_t background);

}  // namespace quarrow
