// The window unit's stored property block on arbitrary input: whatever loads must save to a block that loads to
// the same properties and saves to the same bytes; the icon is found without reading past the end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "forms/window_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quarrow::forms;
  const std::span<const std::uint8_t> block(data, size);
  const quarrow::Bytes icon = WindowIconData(block);
  WindowProperties properties;
  if (!LoadWindowProperties(block, &properties)) return 0;
  if (icon != properties.icon) std::abort();
  const quarrow::Bytes saved = SaveWindowProperties(properties);
  WindowProperties again;
  if (!LoadWindowProperties(saved, &again) || !(again == properties)) std::abort();
  if (SaveWindowProperties(again) != saved) std::abort();
  return 0;
}
