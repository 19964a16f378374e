#include "tests/e2e/driver/screenshot.h"

#include <cstdio>
#include <set>

namespace quarrow::e2e {

namespace {

int Stride(int width) { return (width * 3 + 3) & ~3; }

BITMAPINFOHEADER HeaderOf(int width, int height) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as BMP files keep their rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  return header;
}

}  // namespace

COLORREF WindowShot::At(int x, int y) const {
  const std::size_t at = static_cast<std::size_t>(height - 1 - y) * Stride(width) + static_cast<std::size_t>(x) * 3;
  return RGB(pixels[at + 2], pixels[at + 1], pixels[at]);
}

std::size_t WindowShot::Colours() const {
  std::set<COLORREF> colours;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) colours.insert(At(x, y));
  }
  return colours.size();
}

WindowShot TakeWindowShot(HWND window) {
  RECT r;
  if (!::GetWindowRect(window, &r) || r.right <= r.left || r.bottom <= r.top) return {};
  WindowShot shot{r.right - r.left, r.bottom - r.top, {}};
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = HeaderOf(shot.width, shot.height);
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) {
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, shot.width, shot.height, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    const auto* first = static_cast<const unsigned char*>(bits);
    shot.pixels.assign(first, first + static_cast<std::size_t>(Stride(shot.width)) * shot.height);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
  }
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  if (shot.pixels.empty()) return {};
  return shot;
}

bool SaveBmp(const WindowShot& shot, const std::string& bmp_path) {
  if (shot.pixels.empty()) return false;
  const BITMAPINFOHEADER header = HeaderOf(shot.width, shot.height);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(shot.pixels.size());
  FILE* f = std::fopen(bmp_path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool written = std::fwrite(&file, sizeof file, 1, f) == 1 && std::fwrite(&header, sizeof header, 1, f) == 1 &&
                       std::fwrite(shot.pixels.data(), shot.pixels.size(), 1, f) == 1;
  return std::fclose(f) == 0 && written;
}

}  // namespace quarrow::e2e
