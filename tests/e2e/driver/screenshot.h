// What the screen shows of a window, and that picture saved as a 24-bit BMP file (the build turns it into PNG).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace quarrow::e2e {

// The pixels as a BMP file holds them: blue, green, red, rows from the bottom up, each padded to four bytes.
struct WindowShot {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;

  // The colour at (x, y) from the window's top left corner.
  COLORREF At(int x, int y) const;
  // How many different colours the picture holds.
  std::size_t Colours() const;
};

// Empty when the window has no place on the screen.
WindowShot TakeWindowShot(HWND window);
bool SaveBmp(const WindowShot& shot, const std::string& bmp_path);

}  // namespace quarrow::e2e
