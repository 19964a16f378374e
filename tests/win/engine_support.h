// The window engine's test program: the runtime initialised with the engine's test form on the core library and
// the test unit library, the recording handlers, bounded pumps through the runtime's own pre-translation, and
// real keyboard and mouse input.
#pragma once

#include "tests/support/input.h"
#include "tests/support/pump.h"
#include "tests/support/runtime_fixture.h"
#include "tests/win/test_form.h"
