// The core library's commands that show a CommonDlg's dialog, let waiting messages be handled, and ask whether a
// unit or window still exists.
#pragma once

#include <cstdint>

#include "base/value.h"

namespace quarrow {

// CommonDlg → logical: true when the user confirmed the dialog (the results are then in the unit's properties).
void OpenDialogCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);
// Handles every window message already waiting, handlers included, and returns when none is left; a quit message
// stays queued for the message loop.
void ProcessEventsCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);
// unit or window reference → logical: true while it has a live platform window.
void UnitExistsCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);

}  // namespace quarrow
