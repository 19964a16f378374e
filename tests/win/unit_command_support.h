// The test program of Label, ProcessBar, CommonDlg and the unit commands: the runtime initialised with their form
// (core-library units on live windows; each test watches the boxes and dialogs it expects), the recording
// handlers, property access through the runtime's own property paths and the unit types' own operations, bounded
// pumps, real input, and bitmaps to paint into and read pixels from.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/facade.h"
#include "tests/support/input.h"
#include "tests/support/pump.h"
#include "tests/support/runtime_fixture.h"
#include "tests/support/unit_property_access.h"
#include "tests/win/unit_command_form.h"

namespace quarrow::testing {

// The unit as application code names it.
rt::UnitRef RefOf(std::uint32_t window_id, std::uint32_t unit_id, std::uint32_t core_type);

// A 32-bit top-down bitmap in a memory device context; pixels read back as COLORREF values.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = RGB(0x12, 0x34, 0x56));
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const;
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
