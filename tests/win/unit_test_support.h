// What the unit types' in-process tests share: the runtime initialised with the units' test form (core-library
// units on live windows), handlers that log what reached them, property access through the runtime's own
// property paths, bounded pumps, and real keyboard and mouse input.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "forms/window_map.h"
#include "runtime/runtime.h"
#include "tests/win/unit_test_form.h"
#include "tests/win/unit_property_access.h"

namespace quarrow::testing {

struct UnitCall {
  int tag;
  std::vector<std::uintptr_t> args;
};

// Every handler call, in order.
std::vector<UnitCall>& UnitCalls();
// Code to run inside a tag's handler (for instance to read a property while the event runs).
std::map<int, std::function<void()>>& DuringCall();
std::vector<int> UnitTagsCalled();
int UnitCountOf(int tag);
void ClearUnitCalls();

forms::WindowMap& UnitWindows();
HWND WindowOf(std::uint32_t window_id);
HWND UnitWindow(std::uint32_t window_id, std::uint32_t unit_id);
UnitObject* UnitObjectOf(std::uint32_t window_id, std::uint32_t unit_id);
// Loads a window and brings it to the foreground.
bool LoadAndActivate(std::uint32_t window_id);
void CloseUnitWindows();

// A unit type's own SetProperty and GetProperty, called directly with raw byte values (fonts of any length);
// SetRaw returns what SetProperty returned (it does not re-create the unit).
std::int32_t SetRawBytes(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index,
                         const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> GetRawBytes(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index);

// Handles messages as the message loop does (through the window engine's pre-translation) until the condition
// holds or the time is up.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeout_ms = 3000);
void Pump(DWORD ms);

bool Activate(HWND window);
void PressKey(WORD vk, bool down);
void TapKey(WORD vk);
// Types ASCII text key by key (with Shift where the layout needs it).
void TypeKeys(const std::string& text);
// A left click (or double click) at client coordinates of the window; the centre when no point is given.
void ClickAt(HWND window, int x, int y);
void ClickCentre(HWND window);
void DoubleClickAt(HWND window, int x, int y);
// Clicks into the window and waits until it has the keyboard focus.
bool FocusByClick(HWND window);
std::string TextOf(HWND window);
LONG_PTR StyleOf(HWND window);

}  // namespace quarrow::testing
