// The GIF decoder on arbitrary bytes: block walking and LZW codes that name no entry.
#include <cstddef>
#include <cstdint>

#include "internals/gif_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto picture = quarrow::DecodeGif({data, size});
  if (picture && picture->pixels.size() !=
                     quarrow::kIndexedHeaderSize + quarrow::IndexedStride(picture->width) * picture->height) {
    __builtin_trap();
  }
  return 0;
}
