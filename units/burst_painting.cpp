#include "units/burst_painting.h"

#include "runtime/runtime_notify.h"

namespace quarrow {

void BurstPainting::BeforeChange() {
  if (control_ == nullptr) return;
  changed_ = true;
  quiet_ticks_ = 0;
  const DWORD now = ::GetTickCount();
  if (suspended_) {
    if (!show_posted_ && now - shown_at_ >= kShowEveryMs) {
      show_posted_ = ::PostMessageA(control_, kShowMessage, 0, 0) != 0;
    }
    return;
  }
  ::SendMessageA(control_, WM_SETREDRAW, FALSE, 0);
  suspended_ = true;
  if (!ticking_) {
    // A new burst: its first rows show a little later.
    shown_at_ = now;
    ticking_ = ::SetTimer(control_, kTimerId, kTickMs, nullptr) != 0;
  }
  if (!idle_registered_) {
    const std::uintptr_t callback[2] = {reinterpret_cast<std::uintptr_t>(&BurstPainting::OnIdle),
                                        reinterpret_cast<std::uintptr_t>(this)};
    link_->Notify(notify_code::kAddIdleCallback, reinterpret_cast<std::uintptr_t>(control_),
                  reinterpret_cast<std::uintptr_t>(callback));
    idle_registered_ = true;
  }
}

void BurstPainting::Resume() {
  if (!suspended_) return;
  suspended_ = false;
  if (control_ == nullptr) return;
  shown_at_ = ::GetTickCount();
  ::SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
  // Not every version of the control invalidates itself when its redraw comes back on.
  ::InvalidateRect(control_, nullptr, TRUE);
}

bool BurstPainting::Handle(UINT message, WPARAM wparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam != kTimerId) return false;
      OnTick();
      return true;
    case kShowMessage:
      show_posted_ = false;
      Resume();
      return true;
    case WM_PAINT:
      Resume();
      return false;
    default: return false;
  }
}

void BurstPainting::OnTick() {
  const bool changed = changed_;
  changed_ = false;
  if (suspended_) {
    // Rows that stopped coming are shown now; rows still coming when their time is due (should the message the
    // change posted be held up).
    if (!changed || ::GetTickCount() - shown_at_ >= kShowEveryMs) Resume();
  } else if (!changed && ++quiet_ticks_ >= kQuietTicks) {
    // No changes for a while: the burst is over.
    ::KillTimer(control_, kTimerId);
    ticking_ = false;
  }
}

void BurstPainting::Detach() {
  if (control_ == nullptr) return;
  if (ticking_) ::KillTimer(control_, kTimerId);
  ticking_ = false;
  if (idle_registered_) link_->Notify(notify_code::kRemoveIdleCallback, reinterpret_cast<std::uintptr_t>(control_));
  idle_registered_ = false;
  suspended_ = false;
  control_ = nullptr;
}

void BurstPainting::OnIdle(std::uintptr_t self) {
  auto* painting = reinterpret_cast<BurstPainting*>(self);
  painting->Resume();
  // Registered again by the next burst.
  painting->idle_registered_ = false;
  painting->link_->Notify(notify_code::kRemoveIdleCallback, reinterpret_cast<std::uintptr_t>(painting->control_));
}

}  // namespace quarrow
