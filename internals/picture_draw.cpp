// Drawing display handles: icons, bitmaps stretched to the target, and bitmaps with a transparent colour key.
#include "internals/picture.h"
#include "base/handles.h"

namespace quarrow {

namespace {

// Halftone stretching where the display shows more than 16 bits per pixel; colour on colour otherwise.
int StretchModeForDisplay() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  if (::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmBitsPerPel > 16) return HALFTONE;
  return COLORONCOLOR;
}

// A memory device context with a bitmap selected, put back and deleted at the end of the scope.
class SelectedBitmap {
 public:
  SelectedBitmap(HDC like, HBITMAP bitmap) : dc_(::CreateCompatibleDC(like)) {
    if (dc_ != nullptr) old_ = ::SelectObject(dc_, bitmap);
  }
  ~SelectedBitmap() {
    if (dc_ == nullptr) return;
    ::SelectObject(dc_, old_);
    ::DeleteDC(dc_);
  }
  SelectedBitmap(const SelectedBitmap&) = delete;
  SelectedBitmap& operator=(const SelectedBitmap&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

// Pixels of the key colour leave the target as it was: the picture is XORed in, the key's pixels are kept by
// the mask and every other pixel is cleared, and a second XOR leaves the picture where the mask cleared.
void DrawTransparent(HDC target, int x, int y, int width, int height, HDC source, int source_width,
                     int source_height, COLORREF key) {
  OwnedBitmap mask(::CreateBitmap(source_width, source_height, 1, 1, nullptr));
  if (!mask) return;
  SelectedBitmap mask_dc(source, mask.Get());
  if (mask_dc.Get() == nullptr) return;
  const COLORREF old_source_back = ::SetBkColor(source, key);
  ::BitBlt(mask_dc.Get(), 0, 0, source_width, source_height, source, 0, 0, SRCCOPY);  // key colour: 1
  ::SetBkColor(source, old_source_back);

  const COLORREF old_back = ::SetBkColor(target, RGB(255, 255, 255));
  const COLORREF old_text = ::SetTextColor(target, RGB(0, 0, 0));
  ::StretchBlt(target, x, y, width, height, source, 0, 0, source_width, source_height, SRCINVERT);
  ::StretchBlt(target, x, y, width, height, mask_dc.Get(), 0, 0, source_width, source_height, SRCAND);
  ::StretchBlt(target, x, y, width, height, source, 0, 0, source_width, source_height, SRCINVERT);
  ::SetTextColor(target, old_text);
  ::SetBkColor(target, old_back);
}

}  // namespace

void DrawPicture(const DisplayHandle& handle, HDC target, int x, int y, int width, int height, std::int64_t rop) {
  if (!handle || target == nullptr) return;
  if (width == -1) width = handle.width;
  if (height == -1) height = handle.height;

  if (handle.icon != nullptr) {
    ::DrawIconEx(target, x, y, handle.icon, width, height, 0, nullptr, DI_NORMAL);
    return;
  }
  if (handle.bitmap == nullptr) return;
  SelectedBitmap source(target, handle.bitmap);
  if (source.Get() == nullptr) return;

  const int mode = StretchModeForDisplay();
  const int old_mode = ::SetStretchBltMode(target, mode);
  POINT old_origin{};
  if (mode == HALFTONE) ::SetBrushOrgEx(target, 0, 0, &old_origin);
  // A monochrome picture's bits stand for black and white, whatever colours the target writes text with.
  const bool monochrome = handle.kind == PictureKind::kPcx1;
  const COLORREF old_back = monochrome ? ::SetBkColor(target, RGB(255, 255, 255)) : 0;
  const COLORREF old_text = monochrome ? ::SetTextColor(target, RGB(0, 0, 0)) : 0;

  if (rop < 0) {
    DrawTransparent(target, x, y, width, height, source.Get(), handle.width, handle.height,
                    static_cast<COLORREF>(-rop));
  } else {
    ::StretchBlt(target, x, y, width, height, source.Get(), 0, 0, handle.width, handle.height,
                 static_cast<DWORD>(rop));
  }

  if (monochrome) {
    ::SetTextColor(target, old_text);
    ::SetBkColor(target, old_back);
  }
  if (mode == HALFTONE) ::SetBrushOrgEx(target, old_origin.x, old_origin.y, nullptr);
  if (old_mode != 0) ::SetStretchBltMode(target, old_mode);
}

}  // namespace quarrow
