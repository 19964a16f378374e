#include "tests/support/pump.h"

namespace quarrow::testing {

namespace {
void PumpWaiting() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}
}  // namespace

bool PumpUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    PumpWaiting();
    if (condition()) return true;
    if (::GetTickCount() - start >= timeout_ms) return condition();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

}  // namespace quarrow::testing
