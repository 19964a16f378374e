// GIF files (87a and 89a): the first image over the logical screen, with the graphic control extension that
// precedes it. Later images belong to animation, which is not decoded here.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "internals/picture_pixels.h"

namespace quarrow {

// A kGif picture of the logical screen's size: the screen is filled with the transparent index when the image
// has one, else with the background index, and the first image is drawn into it. Nothing for a truncated,
// oversized or malformed file.
std::optional<PicturePixels> DecodeGif(std::span<const std::uint8_t> file);

}  // namespace quarrow
