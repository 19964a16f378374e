#include "units/unit_window_class.h"

namespace quarrow {

bool RegisterUnitWindowClass(const char* name, UINT class_style) {
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (::GetClassInfoA(instance, name, &existing)) return true;
  WNDCLASSA window_class = {};
  window_class.style = class_style;
  window_class.lpfnWndProc = ::DefWindowProcA;
  window_class.hInstance = instance;
  window_class.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.hbrBackground = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
  window_class.lpszClassName = name;
  return ::RegisterClassA(&window_class) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace quarrow
