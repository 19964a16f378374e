// BMP files: uncompressed, 1, 4, 8, 24 or 32 bits per pixel, rows bottom-up or (negative height) top-down.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "internals/picture_pixels.h"

namespace quarrow {

// A kBmp picture, or nothing for a compressed, truncated, oversized or otherwise unusable file.
std::optional<PicturePixels> DecodeBmp(std::span<const std::uint8_t> file);

}  // namespace quarrow
