// What the window's keys and the common events share: the focused unit, the focus order, the key state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "forms/focus_order.h"
#include "forms/window_record.h"

namespace quarrow::forms {

// The unit that holds the keyboard focus inside the window (the window itself when it has it), or null.
LiveUnit* FocusedUnit(WindowRecord& window);
// Units that Tab can reach: live, visible and enabled, with the tab-stop flag, of a type that is shown and takes
// the focus; in focus order.
std::vector<FocusCandidate> TabCandidates(WindowRecord& window);
// 1 Ctrl, 2 Shift, 4 Alt, as the keyboard is now.
std::uint32_t CurrentKeyState();
// Moves the focus by Tab (forward) or Shift+Tab from the focused unit; false when there is nowhere to go.
bool MoveFocus(WindowRecord& window, LiveUnit* focused, bool forward);
// The first unit Tab reaches when the focus moves on from a caption or container unit.
LiveUnit* FocusTargetPast(WindowRecord& window, std::int32_t threshold, bool forward);

}  // namespace quarrow::forms
