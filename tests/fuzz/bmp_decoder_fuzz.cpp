// The BMP decoder on arbitrary bytes: no read past the end, no size the data cannot back.
#include <cstddef>
#include <cstdint>

#include "internals/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto picture = quarrow::DecodeBmp({data, size});
  if (picture && picture->pixels.size() != static_cast<std::size_t>(picture->width) * picture->height * 3) {
    __builtin_trap();
  }
  return 0;
}
