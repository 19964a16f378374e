// Loading a window: the platform window and one platform window per unit, built from the window's records in a
// fixed order, and the window's first events. Closing undoes it.
#include "forms/win_form_unit.h"
#include "forms/window_map.h"
#include "forms/window_navigation.h"
#include "internals/picture.h"
#include "runtime/runtime.h"

#include <algorithm>

namespace quarrow::forms {

namespace {

constexpr std::uint32_t kFirstControlId = 100;
constexpr std::uint32_t kControlIdStep = 10;

DWORD StyleOfState(std::uint32_t state) {
  DWORD style = 0;
  if (state & state_flag::kDisabled) style |= WS_DISABLED;
  if (state & state_flag::kTabStop) style |= WS_TABSTOP;
  return style;
}

}  // namespace

void WindowMap::BuildMenu(WindowRecord& window, HMENU* menu, HACCEL* accelerators) {
  *menu = nullptr;
  *accelerators = nullptr;
  // The menu is the run of consecutive menu-item records, one item each on the window's menu bar.
  std::size_t first = 0;
  while (first < window.working.size() && !window.working[first].IsMenuItem()) ++first;
  if (first == window.working.size()) return;
  HMENU bar = ::CreateMenu();
  for (std::size_t i = first; i < window.working.size() && window.working[i].IsMenuItem(); ++i) {
    const MenuItemRecord& item = window.working[i].MenuItem();
    if (item.flags & 1) continue;  // bit 0: hidden
    UINT flags = MF_STRING;
    if (item.flags & 2) flags |= MF_GRAYED;
    if (item.flags & 4) flags |= MF_CHECKED;
    ::AppendMenuA(bar, flags, kMenuCommandBase + i, item.text.c_str());
  }
  *menu = bar;
}

void WindowMap::RebuildMenu(WindowRecord& window) {
  HWND hwnd = window.Hwnd();
  if (hwnd == nullptr) return;
  HMENU menu = nullptr;
  HACCEL accelerators = nullptr;
  BuildMenu(window, &menu, &accelerators);
  HMENU old = ::GetMenu(hwnd);
  ::SetMenu(hwnd, menu);
  if (old != nullptr) ::DestroyMenu(old);
  if (WinFormUnit* form = window.Form()) form->SetAccelerators(accelerators);
  ::DrawMenuBar(hwnd);
}

void WindowMap::MakeCursor(LiveUnit& unit) {
  DestroyCursor(unit);
  if (unit.IsMenuItem()) return;
  const Bytes& data = unit.Record().mouse_pointer;
  if (data.empty()) return;
  if (data.size() == 4) {
    // A predefined pointer: the platform cursor identifier; 0 is the default pointer.
    const std::uint32_t identifier = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
    if (identifier == 0 || identifier > 0xFFFF) return;
    unit.cursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(identifier));
    unit.owns_cursor = false;
    return;
  }
  unit.cursor = CursorFromBytes(data.data(), data.size());
  unit.owns_cursor = unit.cursor != nullptr;
}

void WindowMap::DestroyCursor(LiveUnit& unit) {
  if (unit.cursor != nullptr && unit.owns_cursor) ::DestroyCursor(unit.cursor);
  unit.cursor = nullptr;
  unit.owns_cursor = false;
}

bool WindowMap::LoadWindow(std::uint32_t window_id, bool force, bool modal, HWND owner) {
  Runtime& runtime = TheRuntime();
  WindowRecord* window = Find(window_id);
  if (window == nullptr || window->loading) return false;

  // 1. An open window is only brought forward.
  if (HWND hwnd = window->Hwnd()) {
    if (!force) {
      if (::IsIconic(hwnd)) {
        ::ShowWindow(hwnd, SW_RESTORE);
      } else {
        ::SetForegroundWindow(hwnd);
        ::SetActiveWindow(hwnd);
      }
      return true;
    }
    window->loading = true;  // its closing must not end the program
    ::DestroyWindow(hwnd);
    window->loading = false;
  }

  // 2. A modal window has no owner of its own; an owner that is gone fails the load.
  if (modal) owner = nullptr;
  if (owner != nullptr && !::IsWindow(owner)) return false;

  // 3. Loading begins: nothing reaches a handler until the units exist. The window counts as loading while the
  //    waiting messages are handled, so that a handler among them (a click queued before) cannot load it a second
  //    time under this load.
  window->loading = true;
  runtime.ProcessWaitingMessages();
  runtime.RaiseBusy();
  window->working = window->stored_units;
  for (LiveUnit& unit : window->working) {
    unit.type = unit.IsMenuItem() ? nullptr : runtime.FindUnitType(unit.UnitType());
  }

  // 4. The menu.
  HMENU menu = nullptr;
  HACCEL accelerators = nullptr;
  BuildMenu(*window, &menu, &accelerators);

  // 6. A failed load leaves nothing of the window and lowers the busy counter again, so that later events still
  //    reach their handlers.
  auto fail = [&]() {
    if (menu != nullptr) ::DestroyMenu(menu);
    if (accelerators != nullptr) ::DestroyAcceleratorTable(accelerators);
    if (HWND hwnd = window->Hwnd()) ::DestroyWindow(hwnd);
    for (LiveUnit& unit : window->working) DestroyCursor(unit);
    window->working.clear();
    window->loading = false;
    runtime.ProcessWaitingMessages();
    runtime.LowerBusy();
    if (runtime.MessageLoopEntered() && !AnyWindowLive()) ::PostQuitMessage(0);
    return false;
  };

  // 5. The window first, then every other record from the last to the first.
  if (window->working.empty() || window->working.front().IsMenuItem()) return fail();
  {
    LiveUnit& self = window->working.front();
    const UnitRecord& record = self.Record();
    const auto create = UnitTypeOperation<CreateUnitOperation>(self.type ? self.type->unit_interface : nullptr,
                                                                unit_operation::kCreateUnit);
    if (create == nullptr) return fail();
    void* object = create(record.properties.data(), static_cast<std::int32_t>(record.properties.size()),
                          StyleOfState(record.state), owner, 0, modal ? 1 : 0, record.left, record.top,
                          record.width, record.height, window_id, self.id, reinterpret_cast<std::uintptr_t>(menu),
                          0);
    menu = nullptr;  // the window owns it now, or destroyed it when creation failed
    self.object = static_cast<UnitObject*>(object);
    if (window->Hwnd() == nullptr) {
      self.object = nullptr;
      return fail();
    }
  }
  HWND hwnd = window->Hwnd();
  std::uint32_t control_id = kFirstControlId;
  for (std::size_t i = window->working.size(); i-- > 1;) {
    LiveUnit& unit = window->working[i];
    if (unit.IsMenuItem()) continue;
    const UnitRecord& record = unit.Record();
    const auto create = UnitTypeOperation<CreateUnitOperation>(unit.type ? unit.type->unit_interface : nullptr,
                                                                unit_operation::kCreateUnit);
    if (create == nullptr) return fail();
    void* object = create(record.properties.data(), static_cast<std::int32_t>(record.properties.size()),
                          StyleOfState(record.state), hwnd, control_id, 0, record.left, record.top, record.width,
                          record.height, window_id, unit.id, 0, 0);
    if (object == nullptr) return fail();
    unit.object = static_cast<UnitObject*>(object);
    unit.control_id = control_id;
    control_id += kControlIdStep;
  }

  // 7. Units move into their containers; units on a paged container's later pages start hidden.
  for (std::size_t i = 1; i < window->working.size(); ++i) {
    LiveUnit& unit = window->working[i];
    if (unit.IsMenuItem() || unit.Record().parent == 0) continue;
    const LiveUnit* container = window->Unit(unit.Record().parent);
    if (container != nullptr && container != &unit && container->Live()) ::SetParent(unit.Window(), container->Window());
  }
  for (const LiveUnit& container : window->working) {
    if (container.IsMenuItem() || !(container.Record().state & state_flag::kVisible)) continue;
    const auto& pages = container.Record().page_list;
    bool later_page = false;
    for (std::uint32_t id : pages) {
      if (id == 0) {
        later_page = true;
      } else if (later_page) {
        if (LiveUnit* unit = window->Unit(id)) unit->page_hidden = true;
      }
    }
  }

  // 8. Cursors from the mouse-pointer data.
  for (LiveUnit& unit : window->working) MakeCursor(unit);

  // 9. All units exist. A unit that hears it may destroy the window, which ends the load as failed.
  for (std::size_t i = window->working.size(); i-- > 1 && window->Hwnd() == hwnd;) {
    if (window->working[i].Live()) ::SendMessageA(window->working[i].Window(), unit_message::kAllCreated, 0, 0);
  }
  if (window->Hwnd() == hwnd) ::SendMessageA(hwnd, unit_message::kWindowUnitsCreated, 0, 0);
  if (window->Hwnd() != hwnd) return fail();

  // 10. Units show as their visible flags say.
  for (std::size_t i = 1; i < window->working.size(); ++i) {
    LiveUnit& unit = window->working[i];
    if (!unit.Live()) continue;
    const bool show = (unit.Record().state & state_flag::kVisible) && !(unit.Flags() & unit_flag::kNeverShown) &&
                      !unit.page_hidden;
    ::ShowWindow(unit.Window(), show ? SW_SHOWNA : SW_HIDE);
  }

  // 11.
  window->Form()->SetAccelerators(accelerators);
  accelerators = nullptr;

  // 12. Loading ends.
  window->loading = false;
  runtime.ProcessWaitingMessages();
  runtime.LowerBusy();

  // 13. The window's first events, each only while it is still open.
  for (std::int32_t event : {window_event::kCreated, window_event::kMoved, window_event::kResized}) {
    if (window->Hwnd() == nullptr) break;
    Raise(window_id, 0, event);
  }

  // 14. The window shows in its start state; the unit that then has the focus is told.
  if (window->Hwnd() != nullptr && (force || (window->working.front().Record().state & state_flag::kVisible))) {
    showing_window_ = window_id;
    window->Form()->ShowInStartState(force);
    showing_window_ = 0;
    if (window->Hwnd() != nullptr) {
      if (LiveUnit* focused = FocusedUnit(*window)) Raise(window_id, focused->id, common_event::kGotFocus);
    }
  }

  // 15. A modal window disables the program's other top-level windows until it closes.
  if (modal && window->Hwnd() != nullptr) {
    std::vector<HWND> others;
    for (const auto& other : windows_) {
      HWND other_hwnd = other->Hwnd();
      if (other.get() == window || other_hwnd == nullptr) continue;
      if (::GetWindowLongPtrA(other_hwnd, GWL_STYLE) & WS_CHILD) continue;
      others.push_back(other_hwnd);
    }
    modals_.Disable(window->Hwnd(), others);
  }

  // 16. The window is loaded; the focus stays where it was. A unit that hears it may close the window, and even
  //     load it anew: the telling ends with the window this load made.
  if (window->Hwnd() == hwnd) {
    HWND focus = ::GetFocus();
    for (std::size_t i = window->working.size(); i-- > 1 && window->Hwnd() == hwnd;) {
      if (window->working[i].Live()) ::SendMessageA(window->working[i].Window(), unit_message::kWindowLoaded, 0, 0);
    }
    if (::GetFocus() != focus && focus != nullptr && ::IsWindow(focus)) ::SetFocus(focus);
  }

  return true;
}

void WindowMap::WindowClosed(WindowRecord& window) {
  for (LiveUnit& unit : window.working) {
    DestroyCursor(unit);
    unit.object = nullptr;
  }
  window.working.clear();
  const bool any_loading = std::any_of(windows_.begin(), windows_.end(), [](const auto& w) { return w->loading; });
  if (!any_loading && TheRuntime().MessageLoopEntered() && !AnyWindowLive()) ::PostQuitMessage(0);
}

}  // namespace quarrow::forms
