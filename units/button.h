// Button ("按钮"): a push button that raises Clicked, may be its window's default button and may show a picture
// instead of its caption.
#pragma once

#include <cstdint>

#include "base/program_header.h"

namespace quarrow {

namespace button {
inline constexpr std::int32_t kClicked = 0;  // event
}  // namespace button

// The unit-type interface routine.
UnitOperation ButtonInterface(std::int32_t code);

}  // namespace quarrow
