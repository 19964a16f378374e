#include "tests/e2e/driver/screenshot.h"

#include <cstdio>
#include <vector>

namespace quarrow::e2e {

bool SaveWindowShot(HWND window, const std::string& bmp_path) {
  RECT r;
  if (!::GetWindowRect(window, &r)) return false;
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files keep their rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  ::GdiFlush();
  const int stride = (width * 3 + 3) & ~3;
  bool ok = false;
  if (FILE* f = std::fopen(bmp_path.c_str(), "wb")) {
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    ok = std::fwrite(&file, sizeof file, 1, f) == 1 && std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f) == 1 &&
         std::fwrite(bits, static_cast<std::size_t>(stride) * height, 1, f) == 1;
    std::fclose(f);
  }
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace quarrow::e2e
