#include "base/window_directory.h"
#include "runtime/runtime.h"

namespace quarrow {

namespace {

// Messages that do not count as new input: they leave the idle count running.
bool IsIdleNeutral(const MSG& message, POINT& last_mouse) {
  switch (message.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      if (message.pt.x == last_mouse.x && message.pt.y == last_mouse.y) return true;
      last_mouse = message.pt;
      return false;
    case WM_PAINT:
    case 0x0118:  // the system timer that blinks carets
      return true;
    default: return false;
  }
}

}  // namespace

bool Runtime::IdleStep(long idle_count) {
  if (idle_count == 0) {
    idle_started_ = ::GetTickCount();
    idle_excluded_.clear();
  }
  // The base idle processing asks for two rounds; window idle events begin after it.
  bool more = idle_count < 2;
  if (idle_count > 1) more = windows_->RaiseIdle(::GetTickCount() - idle_started_, idle_excluded_) || more;
  return more;
}

void Runtime::RunMessageLoop() {
  loop_entered_ = true;
  if (!windows_ || !windows_->AnyWindowLive()) return;

  MSG message;
  POINT last_mouse = {-1, -1};
  bool idle = true;
  long idle_count = 0;
  for (;;) {
    while (idle && !::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      RunIdleCallbacks();
      if (!IdleStep(idle_count++)) idle = false;
    }
    do {
      if (::GetMessageA(&message, nullptr, 0, 0) <= 0) return;
      if (!windows_->PreTranslate(message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
      }
      if (!IsIdleNeutral(message, last_mouse)) {
        idle = true;
        idle_count = 0;
      }
    } while (::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
  }
}

void Runtime::ProcessWaitingMessages() { HandleWaitingMessages(PM_REMOVE); }

void Runtime::ProcessEvents() {
  const DWORD now = ::GetTickCount();
  if (now - painted_at_ >= kPaintEveryMs) {
    painted_at_ = now;
    HandleWaitingMessages(PM_REMOVE);
  } else {
    // Paints wait for their turn; everything else, the user's input and timers among it, is handled now.
    HandleWaitingMessages(PM_REMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE);
  }
}

void Runtime::HandleWaitingMessages(UINT remove_flags) {
  MSG message;
  // Without PM_NOYIELD an empty queue gives the processor away on every call, which a long run of short steps
  // pays once per step.
  while (::PeekMessageA(&message, nullptr, 0, 0, remove_flags | PM_NOYIELD)) {
    if (message.message == WM_QUIT) {
      // It stays for the message loop.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (!windows_ || !windows_->PreTranslate(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
}

}  // namespace quarrow
