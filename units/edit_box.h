// EditBox ("编辑框"): a text-entry box on the "EDIT" control, with typed input modes that filter keystrokes and
// normalise the text when the box loses the focus, a password mode, an optional adjuster beside a single-line box,
// a vertically centred single-line layout with a frame of its own, and the selection as properties.
#pragma once

#include <cstdint>

#include "base/program_header.h"

namespace quarrow {

namespace edit_box {
// Events.
inline constexpr std::int32_t kChanged = 0;
inline constexpr std::int32_t kAdjusterPressed = 1;  // argument: -1 or 1
}  // namespace edit_box

// The unit-type interface routine.
UnitOperation EditBoxInterface(std::int32_t code);

}  // namespace quarrow
