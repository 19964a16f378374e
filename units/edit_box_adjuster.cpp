#include "units/edit_box_adjuster.h"

#include <commctrl.h>

#include <algorithm>

#include "units/message_reflection.h"
#include "units/unit_appearance.h"

namespace quarrow {

namespace {

constexpr char kAdjusterProperty[] = "QuarrowEditBoxAdjuster";
constexpr std::uint32_t kIdentifierOffset = 4;

}  // namespace

bool EditBoxAdjuster::Create(HWND box, ChildUnit& unit, AdjusterOwner& owner, bool static_edge) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS};
  ::InitCommonControlsEx(&controls);
  const auto id = static_cast<std::uintptr_t>(::GetDlgCtrlID(box)) + kIdentifierOffset;
  HWND window = ::CreateWindowExA(static_edge ? WS_EX_STATICEDGE : 0, UPDOWN_CLASSA, nullptr,
                                  WS_CHILD | WS_CLIPSIBLINGS, 0, 0, kWidth, 0, ::GetParent(box),
                                  reinterpret_cast<HMENU>(id), ::GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) return false;
  ::SetPropA(window, kAdjusterProperty, this);
  previous_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditBoxAdjuster::Procedure)));
  if (previous_ == nullptr) {
    ::RemovePropA(window, kAdjusterProperty);
    ::DestroyWindow(window);
    return false;
  }
  window_ = window;
  unit_ = &unit;
  owner_ = &owner;
  Follow(box);
  return true;
}

void EditBoxAdjuster::Destroy() {
  if (window_ != nullptr) ::DestroyWindow(window_);  // its last message forgets it
}

void EditBoxAdjuster::SetRange(std::int32_t bound_a, std::int32_t bound_b) {
  if (window_ == nullptr) return;
  // The 32-bit range: both bounds are 32-bit properties, and a 16-bit range could turn the arrows around.
  ::SendMessageA(window_, UDM_SETRANGE32, static_cast<WPARAM>(std::min(bound_a, bound_b)),
                 static_cast<LPARAM>(std::max(bound_a, bound_b)));
}

void EditBoxAdjuster::SetStaticEdge(bool on) {
  if (window_ == nullptr) return;
  const LONG_PTR ex = ::GetWindowLongPtrA(window_, GWL_EXSTYLE);
  const LONG_PTR wanted = on ? (ex | WS_EX_STATICEDGE) : (ex & ~static_cast<LONG_PTR>(WS_EX_STATICEDGE));
  if (wanted != ex) ::SetWindowLongPtrA(window_, GWL_EXSTYLE, wanted);
  RecalculateFrame(window_);
}

void EditBoxAdjuster::Follow(HWND box, std::optional<bool> visible) {
  if (window_ == nullptr || box == nullptr) return;
  HWND parent = ::GetParent(box);
  if (::GetParent(window_) != parent) ::SetParent(window_, parent);
  RECT r;
  ::GetWindowRect(box, &r);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  const bool shown = visible.value_or((::GetWindowLongPtrA(box, GWL_STYLE) & WS_VISIBLE) != 0);
  ::SetWindowPos(window_, box, r.right, r.top, kWidth, r.bottom - r.top,
                 SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  const bool enabled = ::IsWindowEnabled(box) != FALSE;
  if ((::IsWindowEnabled(window_) != FALSE) != enabled) ::EnableWindow(window_, enabled);
}

LRESULT CALLBACK EditBoxAdjuster::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = static_cast<EditBoxAdjuster*>(::GetPropA(window, kAdjusterProperty));
  if (self == nullptr || self->window_ != window) return ::DefWindowProcA(window, message, wparam, lparam);
  const WNDPROC previous = self->previous_;
  switch (message) {
    case kReflectBase + WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header != nullptr && header->code == UDN_DELTAPOS) {
        const auto* change = reinterpret_cast<const NMUPDOWN*>(lparam);
        const std::int32_t step = change->iDelta < 0 ? -1 : 1;
        // The unit (and this adjuster inside it) stays alive until the step's event has run.
        ChildUnit::Guard guard(*self->unit_);
        try {
          self->owner_->AdjusterStep(step);
        } catch (...) {
        }
      }
      return 0;
    }
    case kReflectBase + WM_CTLCOLORMSGBOX:
    case kReflectBase + WM_CTLCOLOREDIT:
    case kReflectBase + WM_CTLCOLORLISTBOX:
    case kReflectBase + WM_CTLCOLORBTN:
    case kReflectBase + WM_CTLCOLORDLG:
    case kReflectBase + WM_CTLCOLORSCROLLBAR:
    case kReflectBase + WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(self->owner_->AdjusterColours(reinterpret_cast<HDC>(wparam)));
    case kReflectBase + WM_VSCROLL:
    case kReflectBase + WM_HSCROLL: return 0;
    case WM_NCDESTROY: {
      ::RemovePropA(window, kAdjusterProperty);
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      self->window_ = nullptr;
      self->previous_ = nullptr;
      return ::CallWindowProcA(previous, window, message, wparam, lparam);
    }
    default: return ::CallWindowProcA(previous, window, message, wparam, lparam);
  }
}

}  // namespace quarrow
