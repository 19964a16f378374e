#include "tests/support/input.h"

#include "tests/support/pump.h"

namespace quarrow::testing {

namespace {

// How long each step is given before the next one.
constexpr DWORD kKeyStepMs = 20;
constexpr DWORD kPointerStepMs = 20;
constexpr DWORD kClickDoneMs = 40;

}  // namespace

void MovePointerTo(HWND window, int x, int y) {
  POINT at = {x, y};
  ::ClientToScreen(window, &at);
  ::SetCursorPos(at.x, at.y);
  Pump(kPointerStepMs);
}

void SendKey(WORD vk, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  ::SendInput(1, &input, sizeof input);
}

void SendMouse(DWORD flags, DWORD data, LONG dx, LONG dy) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  input.mi.mouseData = data;
  ::SendInput(1, &input, sizeof input);
}

void PressKey(WORD vk, bool down) {
  SendKey(vk, down);
  Pump(kKeyStepMs);
}

void TapKey(WORD vk, unsigned modifiers) {
  const WORD held[] = {VK_CONTROL, VK_SHIFT, VK_MENU};
  const unsigned flags[] = {kCtrl, kShift, kAlt};
  for (int i = 0; i < 3; ++i) {
    if (modifiers & flags[i]) PressKey(held[i], true);
  }
  PressKey(vk, true);
  PressKey(vk, false);
  for (int i = 2; i >= 0; --i) {
    if (modifiers & flags[i]) PressKey(held[i], false);
  }
}

bool TypeKeys(const std::string& text) {
  bool all = true;
  for (char c : text) {
    const SHORT scan = ::VkKeyScanA(c);
    if (scan == -1) {
      all = false;
      continue;
    }
    TapKey(static_cast<WORD>(scan & 0xFF), (scan & 0x100) ? kShift : kNoModifier);
  }
  Pump(kKeyStepMs);
  return all;
}

void ReleaseModifiers() {
  for (WORD vk : {VK_CONTROL, VK_SHIFT, VK_MENU}) {
    if (::GetAsyncKeyState(vk) < 0) PressKey(vk, false);
  }
}

void ClickAt(HWND window, int x, int y, MouseButton button) {
  MovePointerTo(window, x, y);
  if (button == MouseButton::kRight) {
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    SendMouse(MOUSEEVENTF_RIGHTUP);
    Pump(kClickDoneMs + kPointerStepMs);
    return;
  }
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  Pump(kPointerStepMs);
  SendMouse(MOUSEEVENTF_LEFTUP);
  Pump(kClickDoneMs);
}

void ClickCentre(HWND window) {
  RECT r = {};
  ::GetClientRect(window, &r);
  ClickAt(window, (r.right - r.left) / 2, (r.bottom - r.top) / 2);
}

void DoubleClickAt(HWND window, int x, int y) {
  MovePointerTo(window, x, y);
  // Pumped only briefly between the clicks, so that the double-click time does not run out.
  for (int i = 0; i < 2; ++i) {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Pump(10);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pump(10);
  }
  Pump(kClickDoneMs);
}

void PostClick(HWND window, int x, int y, WPARAM keys) {
  const LPARAM at = MAKELPARAM(x, y);
  ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
  ::PostMessageA(window, WM_LBUTTONUP, keys, at);
  Pump(kClickDoneMs + 10);
}

void Wheel(int delta) {
  SendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta));
  Pump(30);
}

bool Activate(HWND window) {
  if (window == nullptr) return false;
  ::SetForegroundWindow(window);
  ::SetActiveWindow(window);
  // The active window is a thread's own: for another thread's window the foreground is all there is to see.
  const bool own = ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId();
  return PumpUntil([&] { return ::GetForegroundWindow() == window && (!own || ::GetActiveWindow() == window); });
}

bool FocusByClick(HWND window) {
  ClickCentre(window);
  return PumpUntil([&] { return ::GetFocus() == window; });
}

}  // namespace quarrow::testing
