#include "units/burst_painting.h"

#include "runtime/runtime_notify.h"

namespace quarrow {

void BurstPainting::BeforeChange() {
  if (control_ == nullptr || suspended_) return;
  ::SendMessageA(control_, WM_SETREDRAW, FALSE, 0);
  suspended_ = true;
  if (!ticking_) ticking_ = ::SetTimer(control_, kTimerId, kTickMs, nullptr) != 0;
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
  ::SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
  // Not every version of the control invalidates itself when its redraw comes back on.
  ::InvalidateRect(control_, nullptr, TRUE);
}

bool BurstPainting::Handle(UINT message, WPARAM wparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam != kTimerId) return false;
      if (suspended_) {
        Resume();
      } else {
        // A tick without changes since the last one: the burst is over.
        ::KillTimer(control_, kTimerId);
        ticking_ = false;
      }
      return true;
    case WM_PAINT:
      Resume();
      return false;
    default: return false;
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
