// What the window engine's in-process tests share: the runtime initialised with the test form, logging handlers,
// bounded pumps through the runtime's own pre-translation, and real keyboard and mouse input.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "forms/window_map.h"
#include "runtime/runtime.h"
#include "tests/win/test_form.h"

namespace quarrow::testing {

struct HandlerCall {
  int tag;
  std::vector<std::uintptr_t> args;
  std::uint32_t source_window;
  std::uint32_t source_unit;
};

// Every handler call, in order; what a tag's handler returns (no entry: no value).
std::vector<HandlerCall>& Calls();
std::map<int, std::int64_t>& Answers();
std::vector<int> TagsCalled();
int CountOf(int tag);
// Tags whose handler closes the window that raised the event, and tags whose handler throws.
std::set<int>& ClosingTags();
std::set<int>& ThrowingTags();
const HandlerCall* LastCallOf(int tag);

forms::WindowMap& Windows();
HWND WindowOf(std::uint32_t window_id);
HWND UnitWindow(std::uint32_t window_id, std::uint32_t unit_id);
bool Load(std::uint32_t window_id, bool modal = false, HWND owner = nullptr);
void CloseAllWindows();

// Handles messages as the message loop does (through the window engine's pre-translation) until the condition
// holds or the time is up.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeout_ms = 3000);
void Pump(DWORD ms);

// Brings a window to the foreground so that it receives the keyboard.
bool Activate(HWND window);
void PressKey(WORD vk, bool down);
void TapKey(WORD vk);
void ClickAt(HWND window, int x, int y);
void Wheel(int delta);
std::string TextOf(HWND window);

}  // namespace quarrow::testing
