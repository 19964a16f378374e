// The JPEG decoder on arbitrary bytes: every library error comes back as no picture.
#include <cstddef>
#include <cstdint>

#include "internals/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto picture = quarrow::DecodeJpeg({data, size});
  if (picture && picture->pixels.size() != static_cast<std::size_t>(picture->width) * picture->height * 3) {
    __builtin_trap();
  }
  return 0;
}
