// The window map: window id → window record, filled from the program's form descriptions at start-up. It is the
// window engine's face to the runtime: loading windows, dispatching events, pre-translating messages, unit
// properties and the runtime notify codes about windows, units and events.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

#include "base/event_record.h"
#include "base/property_values.h"
#include "base/window_directory.h"
#include "forms/modal_stack.h"
#include "forms/window_record.h"

namespace quarrow::forms {

// What runtime notify code 2005 points to: a window to load, the unit object of its owner (or null), the modal flag.
struct LoadWindowRequest {
  std::uint32_t window_id;
  void* owner_unit;
  std::int32_t modal;
};

class WindowMap final : public WindowDirectory {
 public:
  WindowMap();
  ~WindowMap() override;
  WindowMap(const WindowMap&) = delete;
  WindowMap& operator=(const WindowMap&) = delete;

  // Reads every form description of the program; false when the stream cannot be read.
  bool Read(const void* data, std::size_t size, const void* code_base) override;
  // Loads the start window (not modal, no owner); false when the id is unknown or the load fails.
  bool LoadStartWindow(std::uint32_t window_id) override;
  // Loads a window: an open one is only activated unless force is set; a modal load disables the program's other
  // top-level windows until it closes. False when the id is unknown or the load fails.
  bool LoadWindow(std::uint32_t window_id, bool force, bool modal, HWND owner);
  // True while any window of the map has a live platform window.
  bool AnyWindowLive() const override;
  // Releases every window record (shutdown).
  void ReleaseAll() override;
  // Offers a message to the window engine before it is translated and dispatched; true when consumed.
  bool PreTranslate(MSG& message) override;
  // Raises the idle event on every live window not yet excluded; windows without a handler or whose handler
  // returns 0 are added to the exclusion list. True when some handler asked for more idle time.
  bool RaiseIdle(DWORD elapsed_ms, std::vector<HWND>& excluded) override;
  std::size_t Count() const { return windows_.size(); }

  // Service entries 4 and 5: unit properties by (window id, unit id, property index, element index).
  std::uint64_t ReadProperty(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property,
                             std::int32_t element) override;
  void WriteProperty(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property, std::int32_t element,
                     std::uint64_t value) override;
  // Notify handlers 4 and 5: a unit type's own properties of a unit object, without window lookup.
  std::uint64_t ReadDetachedProperty(std::uint32_t unit_type, void* unit, std::int32_t property,
                                     std::int32_t element) override;
  void WriteDetachedProperty(std::uint32_t unit_type, void* unit, std::int32_t property, std::int32_t element,
                             std::uint64_t value) override;
  // The runtime notify codes about windows, units and events; codes without effect return 0.
  std::intptr_t Notify(std::int32_t code, std::uintptr_t arg1, std::uintptr_t arg2) override;

  // Events (runtime notify codes 2008 and 2031): true when a handler ran; the record then carries its value.
  bool RaiseEvent(EventRecord& record);
  bool RaiseTypedEvent(TypedEventRecord& record);
  // Raises an event with up to five word arguments; the handler's value, when it returned one.
  std::optional<std::int64_t> Raise(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t event,
                                    std::initializer_list<std::uintptr_t> arguments = {});
  // The window id and unit id of the event whose handler runs now; window id 0 when none.
  std::uint32_t CurrentSourceWindow() const { return source_window_; }
  std::uint32_t CurrentSourceUnit() const { return source_unit_; }

  WindowRecord* Find(std::uint32_t window_id);
  HWND FindUnitWindow(std::uint32_t window_id, std::string_view name, std::uint32_t type_flags) override;
  const WindowRecord* Find(std::uint32_t window_id) const;
  // The window record whose platform window is this one.
  WindowRecord* FindByWindow(HWND window);
  // The unit object of a unit with a live platform window (unit id 0: the window), or null.
  UnitObject* LiveUnitObject(std::uint32_t window_id, std::uint32_t unit_id);

  // The window closed (its platform window is gone): cursors, accelerators and unit objects go, the working list
  // is released and, after the last window once the loop has run, the quit message is posted.
  void WindowClosed(WindowRecord& window);
  // Re-creates a unit whose SetProperty asked for it.
  void RecreateUnit(WindowRecord& window, std::size_t index);
  // Rebuilds the window's menu from its menu-item records.
  void RebuildMenu(WindowRecord& window);
  // Shows the units of one page of a paged container and hides those of its other pages.
  void ShowPage(UnitObject* container, std::int32_t page);

  // For the window unit: the visible, enabled modal window that takes the activation of a disabled window; the
  // unit Tab reaches first; the cursor made for the unit under the mouse; a menu command of the window's menu.
  HWND ActiveModalWindow();
  // What the open modal windows disabled, restored as each of them closes.
  ModalStack& Modals() { return modals_; }
  HWND FirstFocusWindow(std::uint32_t window_id);
  HCURSOR CursorOver(std::uint32_t window_id, HWND under_mouse);
  void MenuCommand(std::uint32_t window_id, UINT command);

  // Font context for font properties: the default GUI font and the screen's pixels per inch.
  const FontContext& Fonts();

 private:
  bool ReadOrThrow(const void* data, std::size_t size, const void* code_base);
  std::optional<std::int64_t> Dispatch(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t event,
                                       const std::vector<std::uintptr_t>& words, bool* ran);
  std::uintptr_t FindHandler(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t event);

  // Pre-translation of one message for the loaded window it belongs to.
  bool PreTranslateFor(WindowRecord& window, MSG& message);
  bool WindowKey(WindowRecord& window, const MSG& message);
  bool CommonEvent(WindowRecord& window, MSG& message);

  void BuildMenu(WindowRecord& window, HMENU* menu, HACCEL* accelerators);
  void MakeCursor(LiveUnit& unit);
  void DestroyCursor(LiveUnit& unit);

  std::vector<std::unique_ptr<WindowRecord>> windows_;
  const void* code_base_ = nullptr;
  std::uint32_t source_window_ = 0;
  std::uint32_t source_unit_ = 0;
  // The unit being re-created: its old window's destruction notice must not clear the new object's slot.
  std::uint32_t recreating_window_ = 0;
  std::uint32_t recreating_unit_ = 0;
  // The window whose load shows it now: the units' own focus events wait until the load tells the focused unit.
  std::uint32_t showing_window_ = 0;
  ModalStack modals_;
  FontContext fonts_;
  bool fonts_ready_ = false;
};

}  // namespace quarrow::forms
