// Notifications that a control sends to its parent go back to the control itself, so that each unit handles its
// own: WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, WM_DELETEITEM, WM_COMPAREITEM and the scroll messages
// arrive at the control as kReflectBase + the message, with the parameters unchanged. Windows and container units
// reflect what their children send them.
#pragma once

#include <windows.h>

namespace quarrow {

inline constexpr UINT kReflectBase = 0x2000;  // the platform's OCM__BASE

// Hands a child's notification back to the child. True when it was reflected and answered (*result holds the
// answer); false when the message is none of these, comes from no child window, or (for the colour messages) the
// child returned 0, so that the caller processes it as usual.
bool ReflectToChild(HWND parent, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

}  // namespace quarrow
