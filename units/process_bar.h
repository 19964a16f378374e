// ProcessBar ("进度条"): the progress-bar common control, its range and position limited to 0..32767. The control
// always gets the range with its ends in order and the position inside it; the stored values stay as set.
#pragma once

#include <cstdint>

#include "base/program_header.h"

namespace quarrow {

// The unit-type interface routine.
UnitOperation ProcessBarInterface(std::int32_t code);

}  // namespace quarrow
