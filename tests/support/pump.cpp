#include "tests/support/pump.h"

namespace quarrow::testing {

namespace {

void TranslateAndDispatch() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

void (*handle_waiting_messages)() = &TranslateAndDispatch;

// The one deadline loop: a step between looks, the condition, the time.
bool Poll(const std::function<bool()>& condition, DWORD timeout_ms, const std::function<void()>& step) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount() - start >= timeout_ms) return condition();
    step();
  }
}

}  // namespace

void HandleMessagesWith(void (*handle_waiting)()) {
  handle_waiting_messages = handle_waiting ? handle_waiting : &TranslateAndDispatch;
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  handle_waiting_messages();
  return Poll(condition, timeout_ms, [] {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    handle_waiting_messages();
  });
}

void Pump(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  return Poll(condition, timeout_ms, [] { ::Sleep(10); });
}

}  // namespace quarrow::testing
