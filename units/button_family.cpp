#include "units/button_family.h"

namespace quarrow {

DWORD HorizontalAlignmentStyle(std::int32_t alignment) {
  if (alignment <= 0) return BS_LEFT;
  return alignment == 1 ? BS_CENTER : BS_RIGHT;
}

DWORD VerticalAlignmentStyle(std::int32_t alignment) {
  if (alignment <= 0) return BS_TOP;
  return alignment == 1 ? BS_VCENTER : BS_BOTTOM;
}

DWORD ButtonPicture::Prepare(std::span<const std::uint8_t> bytes, COLORREF background) {
  handle_.Release();
  picture_.reset();
  if (bytes.empty()) return 0;
  picture_ = DecodePicture(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()));
  if (picture_ == nullptr) return 0;
  HDC screen = ::GetDC(nullptr);
  const bool made = MakeDisplayHandle(*picture_, screen, background, &handle_);
  ::ReleaseDC(nullptr, screen);
  const bool usable = made && (handle_.icon != nullptr || handle_.bitmap != nullptr);
  if (!usable) {
    handle_.Release();
    picture_.reset();
    return 0;
  }
  return handle_.icon != nullptr ? BS_ICON : BS_BITMAP;
}

void ButtonPicture::Attach(HWND button) const {
  if (handle_.icon != nullptr) {
    ::SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(handle_.icon));
  } else if (handle_.bitmap != nullptr) {
    ::SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(handle_.bitmap));
  }
}

}  // namespace quarrow
