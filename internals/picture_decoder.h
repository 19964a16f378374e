// A picture file's bytes to a decoded picture: the kind is detected from the first bytes and the whole block
// goes to that kind's decoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "internals/icon_directory.h"
#include "internals/picture_pixels.h"

namespace quarrow {

struct DecodedPicture {
  PicturePixels picture;   // kind, size and pixels; for icons and cursors the size of the chosen image
  IconImage icon;          // kIcon and kCursor: the image to make the icon from (within the given bytes)
};

// Nothing for a length of 0 or less, fewer than 8 bytes, an unknown kind or a file its decoder rejects.
std::optional<DecodedPicture> DecodePictureData(const void* bytes, std::ptrdiff_t length);

}  // namespace quarrow
