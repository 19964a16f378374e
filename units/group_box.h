// GroupBox ("分组框"): a captioned frame that contains other units. The units inside are its child windows, and it
// hands the notifications they send it back to them, so that they raise the same events as units on the window.
#pragma once

#include <cstdint>

#include "base/program_header.h"

namespace quarrow {

// The unit-type interface routine.
UnitOperation GroupBoxInterface(std::int32_t code);

}  // namespace quarrow
