// The PCX decoder on arbitrary bytes: runs past the image, lines shorter than the width, a cut colour table.
#include <cstddef>
#include <cstdint>

#include "internals/pcx_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto picture = quarrow::DecodePcx({data, size});
  if (picture && picture->kind == quarrow::PictureKind::kPcx1 &&
      picture->pixels.size() != quarrow::MonochromeStride(picture->width) * picture->height) {
    __builtin_trap();
  }
  return 0;
}
