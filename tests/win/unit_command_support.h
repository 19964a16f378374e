// What the tests of Label, ProcessBar, CommonDlg and the unit commands share: the runtime initialised with their
// form (core-library units on live windows, every box and dialog watched), handlers that log what reached them
// and answer what a test asks, property access through the runtime's own property paths, bounded pumps, and
// bitmaps to paint into and read pixels from.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/window_map.h"
#include "runtime/facade.h"
#include "tests/win/unit_command_form.h"
#include "base/unit_interface.h"
#include "tests/win/unit_property_access.h"

namespace quarrow::testing {

struct HandlerCall {
  int tag;
  std::vector<std::uintptr_t> args;
};

// Every handler call, in order.
std::vector<HandlerCall>& HandlerCalls();
int CallsOf(int tag);
// Code a tag's handler runs after logging its call, and the value it returns (none: it returns no value).
void OnHandler(int tag, std::function<void()> action);
void AnswerFrom(int tag, std::optional<std::int64_t> value);
// Forgets the calls, actions and answers.
void ResetHandlers();

forms::WindowMap& Windows();
HWND WindowOf(std::uint32_t window_id);
UnitObject* UnitObjectOf(std::uint32_t window_id, std::uint32_t unit_id);
HWND UnitWindow(std::uint32_t window_id, std::uint32_t unit_id);
bool LoadWindow(std::uint32_t window_id);
void CloseWindows();
// The unit as application code names it.
rt::UnitRef RefOf(std::uint32_t window_id, std::uint32_t unit_id, std::uint32_t core_type);

// A unit type's own SetProperty with a word value, called directly: what it returned (1: re-create).
std::int32_t SetWordDirectly(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index,
                             std::uint32_t word);
// The same with bytes (a font of any length reaches the unit as it is), and GetProperty's bytes.
std::int32_t SetBytesDirectly(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index,
                              const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> GetBytesDirectly(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index);
// The unit's stored property block through its SaveProperties.
std::vector<std::uint8_t> SavedBlock(std::uint32_t window_id, std::uint32_t unit_id);

// Handles messages as the message loop does (through the window engine's pre-translation) until the condition
// holds or the time is up.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeout_ms = 3000);
void Pump(DWORD ms);

// A 32-bit top-down bitmap in a memory device context; pixels read back as COLORREF values.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = RGB(0x12, 0x34, 0x56));
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const;
  // The pixels of a rectangle that are not of the colour; the bounding box of the rest in *box.
  int CountOther(const RECT& area, COLORREF colour, RECT* box = nullptr) const;
  int CountOf(const RECT& area, COLORREF colour) const;

  // Asks the window to paint its client area into the canvas (WM_PRINTCLIENT).
  void PrintClient(HWND window);
  // Copies what the window shows on the screen.
  void CopyFromScreen(HWND window);

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

}  // namespace quarrow::testing
