// Message pumping bounded by a deadline: a test never waits for ever.
#pragma once

#include <windows.h>

#include <functional>

namespace quarrow::testing {

// Handles messages until the condition holds or the timeout passes; returns the condition's last value.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeout_ms = 5000);
// Handles every message that is waiting now, and for the given time.
void PumpFor(DWORD ms);

}  // namespace quarrow::testing
