#include "units/message_reflection.h"

namespace quarrow {

namespace {

HWND SourceOf(UINT message, WPARAM, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return reinterpret_cast<HWND>(lparam);
    case WM_NOTIFY: return lparam ? reinterpret_cast<const NMHDR*>(lparam)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_DELETEITEM: {
      const auto* item = reinterpret_cast<const DELETEITEMSTRUCT*>(lparam);
      return item ? item->hwndItem : nullptr;
    }
    case WM_COMPAREITEM: {
      const auto* item = reinterpret_cast<const COMPAREITEMSTRUCT*>(lparam);
      return item ? item->hwndItem : nullptr;
    }
    default: return nullptr;
  }
}

bool IsColourMessage(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

}  // namespace

bool ReflectToChild(HWND parent, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  HWND child = SourceOf(message, wparam, lparam);
  if (child == nullptr || child == parent || !::IsWindow(child)) return false;
  const LRESULT answer = ::SendMessageA(child, kReflectBase + message, wparam, lparam);
  if (IsColourMessage(message) && answer == 0) return false;
  *result = answer;
  return true;
}

}  // namespace quarrow
