// PNG files through libpng's simplified reader.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "internals/picture_pixels.h"

namespace quarrow {

// A kPng picture (blue, green, red, alpha; rows top-down), or nothing when libpng cannot read the file.
std::optional<PicturePixels> DecodePng(std::span<const std::uint8_t> file);

}  // namespace quarrow
