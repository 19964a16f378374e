// PCX files with run-length coded pixels: 8 bits per pixel in one plane (with the colour table after the image),
// or 1 bit per pixel in one plane.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "internals/picture_pixels.h"

namespace quarrow {

// A kPcx8 or kPcx1 picture, or nothing for another depth, a truncated, oversized or malformed file.
std::optional<PicturePixels> DecodePcx(std::span<const std::uint8_t> file);

}  // namespace quarrow
