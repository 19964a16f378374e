// Every message the message loop takes for a loaded window passes here first: accelerators, the units' own
// pre-translation, the window's keys, and the common mouse, key and wheel events of the unit it is for.
#include "forms/input_codes.h"
#include "forms/win_form_unit.h"
#include "forms/window_map.h"
#include "forms/window_navigation.h"
#include "runtime/runtime.h"

namespace quarrow::forms {

namespace {

bool IsKeyboardMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// The parent of a child window; top-level windows (owned ones included) have none here.
HWND ParentOf(HWND window) {
  return (::GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) ? ::GetParent(window) : nullptr;
}

}  // namespace

bool WindowMap::PreTranslate(MSG& message) {
  if (message.hwnd == nullptr) return false;
  // The innermost loaded program window that is the target or holds it; a program window nested inside another
  // one takes its own messages.
  for (HWND hwnd = message.hwnd; hwnd != nullptr; hwnd = ParentOf(hwnd)) {
    if (WindowRecord* window = FindByWindow(hwnd)) return PreTranslateFor(*window, message);
  }
  return false;
}

bool WindowMap::PreTranslateFor(WindowRecord& window, MSG& message) {
  const bool keyboard = IsKeyboardMessage(message.message);
  // 1. Keys for a disabled window are the platform's.
  if (keyboard && !::IsWindowEnabled(message.hwnd)) return false;
  // 2. A press of the left button ends menus and captures first.
  if (message.message == WM_LBUTTONDOWN || message.message == WM_NCLBUTTONDOWN) {
    HWND capture = ::GetCapture();
    if (capture != nullptr && capture != message.hwnd) ::SendMessageA(capture, WM_CANCELMODE, 0, 0);
  }
  // 3. The platform layer has no pre-translation of its own. 4. Menu shortcuts.
  WinFormUnit* form = window.Form();
  if (form == nullptr) return false;
  HWND hwnd = window.Hwnd();
  if (keyboard && form->Accelerators() != nullptr && ::TranslateAcceleratorA(hwnd, form->Accelerators(), &message)) {
    return true;
  }
  // 6. Unit types that pre-translate see every message of their window.
  for (std::size_t i = 1; i < window.working.size(); ++i) {
    LiveUnit& unit = window.working[i];
    if (!(unit.Flags() & unit_flag::kPreTranslates) || !unit.Live()) continue;
    const auto translate = UnitTypeOperation<PreTranslateOperation>(unit.type->unit_interface,
                                                                    unit_operation::kPreTranslate);
    if (translate != nullptr && translate(unit.object, &message)) return true;
    if (window.Hwnd() == nullptr) return true;
  }
  // 7. The window's keys.
  if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && WindowKey(window, message)) return true;
  if (window.Hwnd() == nullptr) return true;
  // 8. The common events. 9. A window that a handler closed has nothing left to take the message.
  const bool consumed = CommonEvent(window, message);
  return consumed || window.Hwnd() == nullptr;
}

bool WindowMap::CommonEvent(WindowRecord& window, MSG& message) {
  LiveUnit* unit = window.UnitOfWindow(message.hwnd);
  if (unit == nullptr) return false;
  const std::uint32_t window_id = window.Id();
  const std::uint32_t unit_id = unit->id;
  const std::uint32_t position = static_cast<std::uint32_t>(message.lParam);
  const std::uintptr_t x = PositionX(position), y = PositionY(position);
  const std::uintptr_t state = CurrentKeyState();

  std::optional<std::int64_t> value;
  switch (message.message) {
    case WM_LBUTTONDOWN: value = Raise(window_id, unit_id, common_event::kLeftDown, {x, y, state}); break;
    case WM_LBUTTONUP: value = Raise(window_id, unit_id, common_event::kLeftUp, {x, y, state}); break;
    case WM_LBUTTONDBLCLK: value = Raise(window_id, unit_id, common_event::kLeftDoubleClick, {x, y, state}); break;
    case WM_RBUTTONDOWN: value = Raise(window_id, unit_id, common_event::kRightDown, {x, y, state}); break;
    case WM_RBUTTONUP: value = Raise(window_id, unit_id, common_event::kRightUp, {x, y, state}); break;
    case WM_MOUSEMOVE: value = Raise(window_id, unit_id, common_event::kMouseMove, {x, y, state}); break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      value = Raise(window_id, unit_id, common_event::kKeyDown,
                    {FoldKeyCode(static_cast<std::uint32_t>(message.wParam)), state});
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      value = Raise(window_id, unit_id, common_event::kKeyUp,
                    {FoldKeyCode(static_cast<std::uint32_t>(message.wParam)), state});
      break;
    case WM_CHAR:
      value = Raise(window_id, unit_id, common_event::kCharacter, {static_cast<std::uintptr_t>(message.wParam)});
      if (value && *value != 0) message.wParam = static_cast<WPARAM>(static_cast<std::uint32_t>(*value));
      break;
    case WM_MOUSEWHEEL:
      value = Raise(window_id, unit_id, common_event::kWheel,
                    {static_cast<std::uintptr_t>(static_cast<std::intptr_t>(
                         WheelSteps(static_cast<std::uint32_t>(message.wParam)))),
                     state});
      break;
    default: return false;
  }
  if (value && *value == 0) return true;

  // Dragging the window by its client area, or by a unit of a type that drags it.
  if (message.message == WM_LBUTTONDOWN && window.Hwnd() != nullptr) {
    WinFormUnit* form = window.Form();
    const bool draggable = unit == &window.working.front() || (unit->Flags() & unit_flag::kDragsWindow);
    if (form != nullptr && form->Properties().drag_by_client_area && draggable) {
      ::ReleaseCapture();
      const DWORD at = ::GetMessagePos();
      ::SendMessageA(window.Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(at));
      return true;
    }
  }
  return false;
}

}  // namespace quarrow::forms
