#include "tests/support/canvas.h"

#include <algorithm>

namespace quarrow::testing {

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<std::uint32_t*>(bits);
  dc_ = ::CreateCompatibleDC(nullptr);
  old_ = ::SelectObject(dc_, bitmap_);
  Fill(fill);
}

Canvas::~Canvas() {
  ::SelectObject(dc_, old_);
  ::DeleteDC(dc_);
  ::DeleteObject(bitmap_);
}

void Canvas::Fill(COLORREF colour) {
  ::GdiFlush();
  const std::uint32_t pixel = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  if (bits_) std::fill(bits_, bits_ + static_cast<std::size_t>(width_) * height_, pixel);
}

std::uint32_t Canvas::RgbAt(int x, int y) const {
  const COLORREF colour = At(x, y);
  return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

COLORREF Canvas::At(int x, int y) const {
  if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  ::GdiFlush();
  const std::uint32_t pixel = bits_[static_cast<std::size_t>(y) * width_ + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int Canvas::CountOther(const RECT& area, COLORREF colour, RECT* box) const {
  int count = 0;
  RECT bounds = {width_, height_, -1, -1};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (At(x, y) == colour) continue;
      ++count;
      bounds.left = std::min<LONG>(bounds.left, x);
      bounds.top = std::min<LONG>(bounds.top, y);
      bounds.right = std::max<LONG>(bounds.right, x + 1);
      bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
    }
  }
  if (box) *box = count ? bounds : RECT{};
  return count;
}

int Canvas::CountOf(const RECT& area, COLORREF colour) const {
  return (area.right - area.left) * (area.bottom - area.top) - CountOther(area, colour);
}

void Canvas::PrintClient(HWND window) {
  ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
  ::GdiFlush();
}

void Canvas::CopyFromScreen(HWND window) {
  HDC screen = ::GetDC(window);
  ::BitBlt(dc_, 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
  ::ReleaseDC(window, screen);
  ::GdiFlush();
}

}  // namespace quarrow::testing
