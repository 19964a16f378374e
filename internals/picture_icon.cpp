#include "internals/picture_icon.h"

#include <vector>

#include "internals/picture.h"

namespace quarrow {

namespace {
constexpr DWORD kIconFormatVersion = 0x00030000;
}

HICON IconFromImage(const IconImage& image) {
  if (image.image.empty()) return nullptr;
  // The icon calls take a writable block; give them a copy rather than the caller's bytes.
  std::vector<BYTE> bits(image.image.begin(), image.image.end());
  const auto size = static_cast<DWORD>(bits.size());
  HICON icon = ::CreateIconFromResourceEx(bits.data(), size, TRUE, kIconFormatVersion, image.width, image.height, 0);
  if (icon == nullptr && image.bits_per_pixel != 16) {
    icon = ::CreateIconFromResource(bits.data(), size, TRUE, kIconFormatVersion);
  }
  return icon;
}

HCURSOR CursorFromBytes(const void* bytes, std::size_t length) {
  if (bytes == nullptr) return nullptr;
  auto cursor = CursorResourceFromCur({static_cast<const std::uint8_t*>(bytes), length});
  if (!cursor) return nullptr;
  // The block starts with the hot spot, as a cursor resource does.
  return ::CreateIconFromResourceEx(cursor->block.data(), static_cast<DWORD>(cursor->block.size()), FALSE,
                                    kIconFormatVersion, cursor->width, cursor->height, 0);
}

}  // namespace quarrow
