// Saves what the screen shows of a window as a 24-bit BMP file (the build turns it into PNG).
#pragma once

#include <windows.h>

#include <string>

namespace quarrow::e2e {

bool SaveWindowShot(HWND window, const std::string& bmp_path);

}  // namespace quarrow::e2e
