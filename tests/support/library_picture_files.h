// JPEG and PNG files made by the tests with libjpeg's and libpng's own writers.
#pragma once

#include <cstdint>
#include <vector>

#include "base/byte_stream.h"

namespace quarrow::testing {

enum class JpegSpace { kGrey, kRgb, kCmyk, kYcck };
// Samples row by row from the top, `components` per pixel (1 grey, 3 red green blue, 4 inks as stored), written
// at the highest quality without subsampling.
Bytes WriteJpeg(int width, int height, JpegSpace stored, const std::vector<std::uint8_t>& samples);

enum class PngFormat { kGrey, kRgb, kRgba };
// Samples row by row from the top: grey; red, green, blue; or red, green, blue, alpha.
Bytes WritePng(int width, int height, PngFormat format, const std::vector<std::uint8_t>& samples);

}  // namespace quarrow::testing
