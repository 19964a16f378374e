// The PNG decoder on arbitrary bytes, then composed over a background as the display does.
#include <cstddef>
#include <cstdint>

#include "internals/alpha_blend.h"
#include "internals/png_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto picture = quarrow::DecodePng({data, size});
  if (picture) {
    if (picture->pixels.size() != static_cast<std::size_t>(picture->width) * picture->height * 4) __builtin_trap();
    quarrow::ComposeOverBackground(picture->pixels, 0x00808080);
  }
  return 0;
}
