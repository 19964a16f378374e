#include "internals/picture.h"

#include <utility>

namespace quarrow {

// Until the decoders exist no picture decodes: every caller shows none.

Picture::~Picture() {
  if (icon != nullptr) ::DestroyIcon(icon);
}

DisplayHandle::DisplayHandle(DisplayHandle&& other) noexcept { *this = std::move(other); }

DisplayHandle& DisplayHandle::operator=(DisplayHandle&& other) noexcept {
  if (this != &other) {
    Release();
    kind = std::exchange(other.kind, PictureKind::kNone);
    width = std::exchange(other.width, 0);
    height = std::exchange(other.height, 0);
    dc = std::exchange(other.dc, nullptr);
    icon = std::exchange(other.icon, nullptr);
    bitmap = std::exchange(other.bitmap, nullptr);
  }
  return *this;
}

void DisplayHandle::Release() {
  if (bitmap != nullptr) ::DeleteObject(bitmap);
  kind = PictureKind::kNone;
  width = height = 0;
  dc = nullptr;
  icon = nullptr;
  bitmap = nullptr;
}

PictureKind DetectPictureKind(const void*, std::size_t) { return PictureKind::kNone; }
std::unique_ptr<Picture> DecodePicture(const void*, std::ptrdiff_t) { return nullptr; }
std::unique_ptr<Picture> DecodePictureFile(const char*) { return nullptr; }
bool MakeDisplayHandle(const Picture&, HDC, COLORREF, DisplayHandle*) { return false; }
void DrawPicture(const DisplayHandle&, HDC, int, int, int, int, std::int64_t) {}
HCURSOR CursorFromBytes(const void*, std::size_t) { return nullptr; }
HBITMAP PictureBytesToBitmap(const void*, std::size_t, COLORREF) { return nullptr; }

}  // namespace quarrow
