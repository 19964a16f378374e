// The window unit: record 0 of every window, the program's top-level platform window. It keeps the window-wide
// settings of its stored property block, raises the window's own events and runs the closing sequence.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "forms/window_properties.h"
#include "internals/picture.h"
#include "internals/sound.h"
#include "base/handles.h"
#include "units/unit_base.h"
#include "base/unit_interface.h"

namespace quarrow::forms {

// The window's own events.
namespace window_event {
inline constexpr std::int32_t kCreated = 0;
inline constexpr std::int32_t kClosing = 1;
inline constexpr std::int32_t kDestroyed = 2;
inline constexpr std::int32_t kMoved = 3;
inline constexpr std::int32_t kResized = 4;
inline constexpr std::int32_t kActivated = 5;
inline constexpr std::int32_t kDeactivated = 6;
inline constexpr std::int32_t kIdle = 7;
inline constexpr std::int32_t kFirstActivated = 8;
inline constexpr std::int32_t kTrayIcon = 9;
inline constexpr std::int32_t kShown = 10;
inline constexpr std::int32_t kHidden = 11;
inline constexpr std::int32_t kAskClose = 12;
}  // namespace window_event

inline constexpr char kDefaultWindowClass[] = "WTWindow";

// The window object rides on the units' base: it subclasses its window, outlives every call that can run
// handlers and stops exceptions at its window procedure as every unit does.
class WinFormUnit final : public SubclassedUnit {
 public:
  // Creates the platform window from a stored property block; null when the block is rejected or the window
  // cannot be created (the menu is then destroyed).
  static WinFormUnit* Create(const void* block, std::int32_t length, std::uint32_t style, HWND owner, bool modal,
                             HMENU menu, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                             std::uint32_t window_id, std::uint32_t unit_id);

  const WindowProperties& Properties() const { return properties_; }

  // Property access for the unit interface (local indexes, window_property::).
  std::int32_t SetProperty(std::int32_t local_index, const RawValue& value);
  std::int32_t GetProperty(std::int32_t local_index, RawValue* value);
  Bytes Save() const { return SaveWindowProperties(properties_); }

  // Shows the window in its start state: maximised for start position 3, minimised for 2, otherwise normally
  // (always normally when forced or in program mode 0).
  void ShowInStartState(bool force);
  // The Visible property of the window itself.
  void ShowByProperty(bool visible);

  bool Modal() const { return modal_; }

  HACCEL Accelerators() const { return accelerators_.Get(); }
  void SetAccelerators(HACCEL accelerators) { accelerators_.Reset(accelerators); }

  // Asks the window to close as its close button does: events 12 and 1, then destruction.
  void RequestClose() { ::SendMessageA(window_, WM_CLOSE, 0, 0); }
  // Opens the help file at the help context (F1).
  void OpenHelp();

 private:
  WinFormUnit(std::uint32_t window_id, std::uint32_t unit_id, bool modal);
  ~WinFormUnit() override;

  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool CloseAllowed();
  // A modal window gives back what its load disabled (through the window map, which knows the other modal windows).
  void RestoreDisabled();
  void OnActivate(WPARAM wparam);
  void PaintBackground(HDC dc);

  // Derived from the properties.
  DWORD Style(DWORD base) const;
  DWORD ExtendedStyle() const;
  void ApplyStyles();
  void MakeIcons();
  void StartMusic();
  void ApplyCloseButton();

  WindowProperties properties_;
  bool modal_;
  bool activated_once_ = false;
  bool help_opened_ = false;
  HWND focus_before_deactivation_ = nullptr;
  OwnedAccelerators accelerators_;
  OwnedIcon large_icon_;
  OwnedIcon small_icon_;
  std::unique_ptr<Picture> picture_;
  WindowMusic music_;
};

// The window unit type: its interface routine and its property table.
UnitOperation WindowUnitInterface(std::int32_t operation);
extern const std::array<PropertyEntry, kCommonPropertyCount + window_property::kOwnPropertyCount> kWindowPropertyTable;
inline constexpr std::uint32_t kWindowUnitFlags = 0x800000D0;

}  // namespace quarrow::forms
