// Keyboard and mouse input as a user gives it: through the system's input queue (SendInput), or posted as the
// messages it becomes where Wine's queue would lose part of it. After each step this thread's messages are pumped
// for a moment, so that its own windows have taken the step before the next one comes and another process has
// had the time to.
#pragma once

#include <windows.h>

#include <string>

namespace quarrow::testing {

// Keys held around a tapped key.
enum Modifier : unsigned { kNoModifier = 0, kCtrl = 1, kShift = 2, kAlt = 4 };
enum class MouseButton { kLeft, kRight };

void PressKey(WORD vk, bool down);
void TapKey(WORD vk, unsigned modifiers = kNoModifier);
// Types ASCII text key by key, with Shift where the layout needs it; false when a character has no key (it is
// left out).
bool TypeKeys(const std::string& text);
// Lets go of Ctrl, Shift and Alt where a test left them held.
void ReleaseModifiers();

// Moves the pointer to client coordinates of the window.
void MovePointerTo(HWND window, int x, int y);
// Clicks at client coordinates of the window. The right button's release is queued with its press: a control that
// follows the held button in a loop of its own would otherwise wait for this thread.
void ClickAt(HWND window, int x, int y, MouseButton button = MouseButton::kLeft);
void ClickCentre(HWND window);
// Two clicks well within the double-click time.
void DoubleClickAt(HWND window, int x, int y);
// A left click posted as the button messages, with key flags such as MK_CONTROL: under Wine a modifier pressed
// through the input queue is lost when the pointer moves (the X server's own modifier state wins).
void PostClick(HWND window, int x, int y, WPARAM keys);
void Wheel(int delta);
// One event through the input queue, without pumping: for tests that pace the input themselves.
void SendKey(WORD vk, bool down);
void SendMouse(DWORD flags, DWORD data = 0, LONG dx = 0, LONG dy = 0);

// Brings a window to the foreground (and, when it is this thread's, makes it the active window), so that it
// receives the keyboard; false when that did not happen in time.
bool Activate(HWND window);
// Clicks into the window and waits until it has the keyboard focus.
bool FocusByClick(HWND window);

}  // namespace quarrow::testing
