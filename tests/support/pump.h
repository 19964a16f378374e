// Waiting bounded by a deadline: a test never waits for ever. PumpUntil handles this thread's messages while it
// waits, as a message loop would; WaitUntil only looks, for what other threads and processes do.
#pragma once

#include <windows.h>

#include <functional>

namespace quarrow::testing {

inline constexpr DWORD kDefaultTimeoutMs = 5000;

// Handles messages until the condition holds or the timeout passes; returns the condition's last value.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeout_ms = kDefaultTimeoutMs);
// Handles every message that is waiting now, and those that come for the given time.
void Pump(DWORD ms);
// Checks the condition until it holds or the timeout passes, handling no messages; the condition's last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms = kDefaultTimeoutMs);

// How the pumps handle the messages waiting in this thread's queue: translated and dispatched unless a test
// program with a runtime hands them to the runtime, whose window engine pre-translates them as its loop does.
void HandleMessagesWith(void (*handle_waiting)());

}  // namespace quarrow::testing
