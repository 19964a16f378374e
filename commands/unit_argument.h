// How a command finds the unit that its argument record names: a unit reference holds the window id in word 1 and
// the unit id in word 2, typed with the unit-type reference. The runtime answers with the live unit object, and
// reports the runtime error for a window or unit that is not loaded.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/value.h"
#include "base/unit_interface.h"

namespace quarrow {

std::uint32_t WindowIdOf(const ValueRecord& reference);
std::uint32_t UnitIdOf(const ValueRecord& reference);

// The live unit object; a reference to nothing loaded is a runtime error (it does not return then).
UnitObject* LiveUnitOf(const ValueRecord& reference);

// The platform window of the unit when it is a list-box control, else null.
HWND ListBoxControlOf(const ValueRecord& reference);

}  // namespace quarrow
