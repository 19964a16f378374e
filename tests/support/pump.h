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
// The barrier behind what an action posted: posts a message of its own behind everything posted to this thread so
// far and pumps until it arrives, so that a check that nothing was raised comes after whatever was on its way.
// Input is retrieved after posted messages: input needs a barrier of input.
bool PumpPostedMessages(DWORD timeout_ms = kDefaultTimeoutMs);
// Checks the condition until it holds or the timeout passes, handling no messages; the condition's last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms = kDefaultTimeoutMs);

// How the pumps handle the messages waiting in this thread's queue: translated and dispatched unless a test
// program with a runtime hands them to the runtime, whose window engine pre-translates them as its loop does.
void HandleMessagesWith(void (*handle_waiting)());

}  // namespace quarrow::testing
