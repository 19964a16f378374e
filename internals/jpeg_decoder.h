// JPEG files through libjpeg (its 6b interface): grey, colour and four-component (CMYK, YCCK) images.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "internals/picture_pixels.h"

namespace quarrow {

// A kJpeg picture, or nothing when the library reports an error or the data ends before the image does.
std::optional<PicturePixels> DecodeJpeg(std::span<const std::uint8_t> file);

}  // namespace quarrow
