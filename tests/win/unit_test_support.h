// The unit types' test program: the runtime initialised with the units' test form (core-library units on live
// windows, and the test data provider), the recording handlers, property access through the runtime's own
// property paths and the unit types' own operations, bounded pumps, and real keyboard and mouse input.
#pragma once

#include "tests/support/input.h"
#include "tests/support/pump.h"
#include "tests/support/runtime_fixture.h"
#include "tests/support/unit_property_access.h"
#include "tests/win/unit_test_form.h"
