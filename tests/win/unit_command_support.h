// The test program of Label, ProcessBar, CommonDlg and the unit commands: the runtime initialised with their form
// (core-library units on live windows; each test watches the boxes and dialogs it expects), the recording
// handlers, property access through the runtime's own property paths and the unit types' own operations, bounded
// pumps, real input, and canvases to paint into and read pixels from.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/facade.h"
#include "tests/support/canvas.h"
#include "tests/support/input.h"
#include "tests/support/pump.h"
#include "tests/support/runtime_fixture.h"
#include "tests/support/unit_property_access.h"
#include "tests/win/unit_command_form.h"

namespace quarrow::testing {

// The unit as application code names it.
rt::UnitRef RefOf(std::uint32_t window_id, std::uint32_t unit_id, std::uint32_t core_type);


}  // namespace quarrow::testing
