// Address generation: one fictitious residential address per call, in auto mode from random Chinese characters
// and fixed number ranges, in manual mode from the window's two name lists and four min/max pairs.
#pragma once

#include <cstdint>

#include "runtime/facade.h"

namespace quarrow::app {

// road + "路 " + number + "号 " + community + "小区 " + building + "号楼 " + unit + "单元 " + room + "室"; in manual mode
// the empty text when a name list is empty or a house-number box is blank.
rt::Text MakeAddress(bool auto_mode = true);
// count random GB2312 characters (2 × count bytes, each in B0..DA); the empty text for a count below 1.
rt::Text RandomHanzi(std::int32_t count);
// A random number in [low, high] as decimal text, zero-filled to the width of high as written.
rt::Text RandomPaddedNumber(std::int32_t low, std::int32_t high);

}  // namespace quarrow::app
