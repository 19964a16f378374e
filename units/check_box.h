// CheckBox ("选择框"): an automatic check box whose state is the Checked property; Clicked runs after the check
// has toggled.
#pragma once

#include <cstdint>

#include "base/program_header.h"

namespace quarrow {

namespace check_box {
inline constexpr std::int32_t kClicked = 0;  // event
}  // namespace check_box

// The unit-type interface routine.
UnitOperation CheckBoxInterface(std::int32_t code);

}  // namespace quarrow
