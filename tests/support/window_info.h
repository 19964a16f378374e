// What a test reads of a window of this process or another, as a user's tools read it: text, class and styles.
#pragma once

#include <windows.h>

#include <string>

namespace quarrow::testing {

// The window's text, whole; from another process too (WM_GETTEXT crosses processes, GetWindowText does not), and
// empty when the window's thread does not answer.
std::string WindowText(HWND window);
std::string ClassNameOf(HWND window);
LONG_PTR StyleOf(HWND window);
LONG_PTR ExStyleOf(HWND window);

}  // namespace quarrow::testing
