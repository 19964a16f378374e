// The decoder that picks by kind, on arbitrary bytes: whatever the first bytes claim, nothing reads past the end.
#include <cstddef>
#include <cstdint>

#include "internals/picture_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quarrow::DecodePictureData(data, static_cast<std::ptrdiff_t>(size));
  return 0;
}
