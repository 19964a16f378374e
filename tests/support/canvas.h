#pragma once

#include <windows.h>

#include <cstdint>

namespace quarrow::testing {

// A 32-bit top-down bitmap in a memory device context, filled with one colour; pixels read back as COLORREF values,
// or as 0xRRGGBB.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = RGB(0x12, 0x34, 0x56));
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Fill(COLORREF colour);
  COLORREF At(int x, int y) const;
  std::uint32_t RgbAt(int x, int y) const;
  // The pixels of a rectangle that are not of the colour; the bounding box of the rest in *box.
  int CountOther(const RECT& area, COLORREF colour, RECT* box = nullptr) const;
  int CountOf(const RECT& area, COLORREF colour) const;

  // Asks the window to paint its client area into the canvas (WM_PRINTCLIENT).
  void PrintClient(HWND window);
  // Copies what the window shows on the screen.
  void CopyFromScreen(HWND window);

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

}  // namespace quarrow::testing
