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

constexpr UINT kBarrierMessage = WM_APP + 0x3B7;
bool barrier_reached = false;

LRESULT CALLBACK BarrierProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kBarrierMessage) {
    barrier_reached = true;
    return 0;
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

// A message-only window of this thread that notes the barrier's arrival.
HWND BarrierWindow() {
  static const HWND window = [] {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = &BarrierProc;
    window_class.hInstance = ::GetModuleHandleA(nullptr);
    window_class.lpszClassName = "QuarrowTestBarrier";
    ::RegisterClassA(&window_class);
    return ::CreateWindowExA(0, window_class.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             window_class.hInstance, nullptr);
  }();
  return window;
}

}  // namespace

bool PumpPostedMessages(DWORD timeout_ms) {
  barrier_reached = false;
  if (!::PostMessageA(BarrierWindow(), kBarrierMessage, 0, 0)) return false;
  return PumpUntil([] { return barrier_reached; }, timeout_ms);
}

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
