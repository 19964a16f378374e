// ICO and CUR directories on arbitrary bytes: the chosen image and a cursor's block always lie inside the file.
#include <cstddef>
#include <cstdint>

#include "internals/icon_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (const auto icon = quarrow::ChooseIconImage({data, size})) {
    if (icon->image.data() < data || icon->image.data() + icon->image.size() > data + size) __builtin_trap();
    volatile std::uint8_t sum = 0;
    for (const std::uint8_t b : icon->image) sum = static_cast<std::uint8_t>(sum + b);
  }
  if (const auto cursor = quarrow::CursorResourceFromCur({data, size})) {
    if (cursor->block.size() < 4 || cursor->block.size() - 4 > size) __builtin_trap();
  }
  return 0;
}
