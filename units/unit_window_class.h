// The window classes the runtime registers for units that draw themselves or show no control ("_ZR_Label",
// "_ZR_CommonDlg"): the default window procedure (the unit subclasses its window), the arrow cursor and no
// background brush, so that nothing is erased behind the unit's own painting.
#pragma once

#include <windows.h>

namespace quarrow {

// Registers the class once per process; true when it is registered (now or before).
bool RegisterUnitWindowClass(const char* name, UINT class_style);

}  // namespace quarrow
