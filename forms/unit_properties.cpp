// Unit properties by (window id, unit id, property index): the eight common properties the runtime keeps itself,
// the four of menu items, and the unit type's own properties through its GetProperty and SetProperty.
#include <algorithm>

#include "forms/win_form_unit.h"
#include "forms/window_map.h"
#include "base/error_text.h"
#include "runtime/runtime.h"
#include "units/unit_properties.h"

namespace quarrow::forms {

namespace {

constexpr std::int32_t kPositionLimit = 32627;

namespace common = common_property;

std::uint64_t Address(const void* p) { return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(p)); }

// The rectangle of a platform window in its parent's client area (on the screen for a top-level window).
RECT RectInParent(HWND window) {
  RECT r = {};
  ::GetWindowRect(window, &r);
  if (::GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) {
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

// The list a property access sees: the working list while the window is loaded, else the stored records.
LiveUnit* CurrentUnit(WindowRecord& window, std::uint32_t unit_id) {
  if (window.Loaded()) return window.Unit(unit_id);
  if (window.stored_units.empty()) return nullptr;
  if (unit_id == 0) return &window.stored_units.front();
  for (LiveUnit& unit : window.stored_units) {
    if (unit.id == unit_id) return &unit;
  }
  return nullptr;
}

bool SetBit(std::uint32_t& flags, std::uint32_t bit, bool on) {
  const std::uint32_t before = flags;
  flags = on ? (flags | bit) : (flags & ~bit);
  return flags != before;
}

std::uint16_t TypeCodeOf(const UnitTypeEntry* type, std::int32_t property) {
  if (type == nullptr || property < 0 || static_cast<std::uint32_t>(property) >= type->property_count ||
      type->properties == nullptr) {
    return 0;
  }
  return type->properties[property].TypeCode();
}

}  // namespace

std::uint64_t WindowMap::ReadProperty(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property,
                                      std::int32_t element) {
  Runtime& runtime = TheRuntime();
  WindowRecord* window = Find(window_id);
  if (window == nullptr) runtime.ReportError(error_message::kWindowOfUnitNotLoaded, 0);
  LiveUnit* unit = CurrentUnit(*window, unit_id);
  if (unit == nullptr) return 0;
  RuntimeMemory& memory = runtime.Memory();

  if (unit->IsMenuItem()) {
    const MenuItemRecord& item = unit->MenuItem();
    switch (property) {
      case 0: return Address(memory.TextFrom(item.text));
      case 1: return (item.flags & 4) ? 1 : 0;
      case 2: return (item.flags & 2) ? 1 : 0;
      case 3: return (item.flags & 1) ? 0 : 1;
      default: return 0;
    }
  }

  const UnitRecord& record = unit->Record();
  HWND hwnd = window->Loaded() && unit->Live() ? unit->Window() : nullptr;
  if (property >= 0 && property < kCommonPropertyCount) {
    const RECT r = hwnd ? RectInParent(hwnd) : RECT{};
    switch (property) {
      case common::kLeft: return static_cast<std::uint32_t>(hwnd ? r.left : record.left);
      case common::kTop: return static_cast<std::uint32_t>(hwnd ? r.top : record.top);
      case common::kWidth: return static_cast<std::uint32_t>(hwnd ? r.right - r.left : record.width);
      case common::kHeight: return static_cast<std::uint32_t>(hwnd ? r.bottom - r.top : record.height);
      case common::kTag: return Address(memory.TextFrom(record.tag));
      case common::kVisible:
        if (hwnd) return (::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE) ? 1 : 0;
        return (record.state & state_flag::kVisible) ? 1 : 0;
      case common::kDisabled:
        if (hwnd) return ::IsWindowEnabled(hwnd) ? 0 : 1;
        return (record.state & state_flag::kDisabled) ? 1 : 0;
      case common::kMousePointer: {
        Bytes data = record.mouse_pointer;
        CursorDataToNumber(data);
        return Address(memory.ByteSetFromBytes(data.data(), data.size()));
      }
    }
  }
  if (property < kCommonPropertyCount) return 0;

  // The unit type's own properties need the unit's platform window.
  if (hwnd == nullptr) runtime.ReportError(error_message::kWindowNotLoaded, 0);
  return ReadDetachedProperty(unit->UnitType(), unit->object, property - kCommonPropertyCount, element);
}

std::uint64_t WindowMap::ReadDetachedProperty(std::uint32_t unit_type, void* unit, std::int32_t property,
                                              std::int32_t element) {
  const UnitTypeEntry* type = TheRuntime().FindUnitType(unit_type);
  if (type == nullptr || unit == nullptr || property < 0) return 0;
  const auto get = UnitTypeOperation<GetPropertyOperation>(type->unit_interface, unit_operation::kGetProperty);
  RawValue raw;
  if (get == nullptr || !get(unit, property, &raw)) return 0;
  return ValueForReader(TypeCodeOf(type, PropertyIndex(property)), raw, element, Fonts(), TheRuntime().Memory());
}

void WindowMap::WriteDetachedProperty(std::uint32_t unit_type, void* unit, std::int32_t property,
                                      std::int32_t element, std::uint64_t value) {
  const UnitTypeEntry* type = TheRuntime().FindUnitType(unit_type);
  if (type == nullptr || unit == nullptr || property < 0) return;
  const auto get = UnitTypeOperation<GetPropertyOperation>(type->unit_interface, unit_operation::kGetProperty);
  const auto set = UnitTypeOperation<SetPropertyOperation>(type->unit_interface, unit_operation::kSetProperty);
  if (set == nullptr) return;
  const std::uint16_t code = TypeCodeOf(type, PropertyIndex(property));
  RawValue current;
  if (KindOfTypeCode(code) == PropertyKind::kFont && get != nullptr) get(unit, property, &current);
  const WriteValue converted(code, element, value, current, Fonts());
  const RawValue raw = converted.Raw();
  std::uint32_t out = 0;
  set(unit, property, &raw, &out);
}

void WindowMap::WriteProperty(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property,
                              std::int32_t element, std::uint64_t value) {
  Runtime& runtime = TheRuntime();
  WindowRecord* window = Find(window_id);
  if (window == nullptr) runtime.ReportError(error_message::kWindowOfUnitNotLoaded, 0);
  // A window that is not loaded has nothing to change: its next load starts from its form description again.
  LiveUnit* unit = window->Loaded() ? window->Unit(unit_id) : nullptr;
  if (unit == nullptr) {
    if (property >= kCommonPropertyCount && CurrentUnit(*window, unit_id) != nullptr) runtime.ReportError(error_message::kWindowNotLoaded, 0);
    return;
  }
  const auto word = static_cast<std::uint32_t>(value);

  if (unit->IsMenuItem()) {
    MenuItemRecord& item = unit->MenuItem();
    bool changed = false;
    switch (property) {
      case 0: {
        const char* text = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(value));
        const std::string replacement = text ? text : "";
        changed = replacement != item.text;
        if (changed) item.text = replacement;
        break;
      }
      case 1: changed = SetBit(item.flags, 4, word != 0); break;
      case 2: changed = SetBit(item.flags, 2, word != 0); break;
      case 3: changed = SetBit(item.flags, 1, word == 0); break;
      default: break;
    }
    if (changed) RebuildMenu(*window);
    return;
  }

  UnitRecord& record = unit->Record();
  const bool is_window = unit == &window->working.front();
  HWND hwnd = unit->Live() ? unit->Window() : nullptr;
  const auto signed_word = static_cast<std::int32_t>(word);
  constexpr UINT kQuiet = SWP_NOZORDER | SWP_NOACTIVATE;
  switch (property) {
    case common::kLeft:
    case common::kTop: {
      const std::int32_t v = std::clamp(signed_word, -kPositionLimit, kPositionLimit);
      (property == common::kLeft ? record.left : record.top) = v;
      if (hwnd) {
        const RECT r = RectInParent(hwnd);
        ::SetWindowPos(hwnd, nullptr, property == common::kLeft ? v : r.left, property == common::kTop ? v : r.top, 0,
                       0, kQuiet | SWP_NOSIZE);
      }
      return;
    }
    case common::kWidth:
    case common::kHeight: {
      const std::int32_t v = std::clamp(signed_word, 0, kPositionLimit);
      (property == common::kWidth ? record.width : record.height) = v;
      if (hwnd) {
        const RECT r = RectInParent(hwnd);
        ::SetWindowPos(hwnd, nullptr, 0, 0, property == common::kWidth ? v : r.right - r.left,
                       property == common::kHeight ? v : r.bottom - r.top, kQuiet | SWP_NOMOVE);
      }
      return;
    }
    case common::kTag: {
      const char* text = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(value));
      record.tag = text ? text : "";
      return;
    }
    case common::kVisible: {
      SetBit(record.state, state_flag::kVisible, word != 0);
      if (hwnd == nullptr) return;
      if (is_window) {
        window->Form()->ShowByProperty(word != 0);
      } else if (word == 0) {
        ::ShowWindow(hwnd, SW_HIDE);
      } else if (!(unit->Flags() & unit_flag::kNeverShown) && !unit->page_hidden) {
        ::ShowWindow(hwnd, SW_SHOWNA);
      }
      return;
    }
    case common::kDisabled:
      SetBit(record.state, state_flag::kDisabled, word != 0);
      if (hwnd) ::EnableWindow(hwnd, word == 0);
      return;
    case common::kMousePointer: {
      const ByteSetView bytes = ByteSetView::Of(reinterpret_cast<const void*>(static_cast<std::uintptr_t>(value)));
      record.mouse_pointer.assign(bytes.data, bytes.data + bytes.size);
      CursorDataToIdentifier(record.mouse_pointer);
      MakeCursor(*unit);
      // Moving the pointer onto itself lets the new cursor show at once.
      POINT at;
      if (::GetCursorPos(&at)) ::SetCursorPos(at.x, at.y);
      return;
    }
    default: break;
  }
  if (property < kCommonPropertyCount) return;

  if (hwnd == nullptr) runtime.ReportError(error_message::kWindowNotLoaded, 0);
  const UnitTypeEntry* type = unit->type;
  const auto get = UnitTypeOperation<GetPropertyOperation>(type->unit_interface, unit_operation::kGetProperty);
  const auto set = UnitTypeOperation<SetPropertyOperation>(type->unit_interface, unit_operation::kSetProperty);
  if (set == nullptr) return;
  const std::uint16_t code = TypeCodeOf(type, property);
  RawValue current;
  if (KindOfTypeCode(code) == PropertyKind::kFont && get != nullptr) get(unit->object, property - kCommonPropertyCount, &current);
  const WriteValue converted(code, element, value, current, Fonts());
  const RawValue raw = converted.Raw();
  std::uint32_t out = 0;
  if (set(unit->object, property - kCommonPropertyCount, &raw, &out) != 1 || is_window) return;

  // The new value takes effect only in a new platform window.
  const std::size_t index = static_cast<std::size_t>(unit - window->working.data());
  runtime.ProcessWaitingMessages();
  runtime.RaiseBusy();
  if (window->Loaded() && index < window->working.size()) RecreateUnit(*window, index);
  runtime.ProcessWaitingMessages();
  runtime.LowerBusy();
}

void WindowMap::RecreateUnit(WindowRecord& window, std::size_t index) {
  LiveUnit& unit = window.working[index];
  if ((unit.Flags() & unit_flag::kWindowType) || !unit.Live()) return;
  const auto save = UnitTypeOperation<SavePropertiesOperation>(unit.type->unit_interface,
                                                                unit_operation::kSaveProperties);
  const auto create = UnitTypeOperation<CreateUnitOperation>(unit.type->unit_interface, unit_operation::kCreateUnit);
  if (save == nullptr || create == nullptr) return;
  std::uint32_t length = 0;
  HGLOBAL block = save(unit.object, &length);
  if (block == nullptr) return;

  HWND old = unit.Window();
  HWND parent = ::GetParent(old);
  const RECT r = RectInParent(old);
  const auto control_id = static_cast<std::uint32_t>(::GetDlgCtrlID(old));
  const DWORD style = ::IsWindowEnabled(old) ? 0 : WS_DISABLED;
  const void* data = ::GlobalLock(block);
  void* object = create(data, static_cast<std::int32_t>(length), style, parent, control_id, 0, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, window.Id(), unit.id, 0, 0);
  ::GlobalUnlock(block);
  ::GlobalFree(block);
  if (object == nullptr) return;

  auto* fresh = static_cast<UnitObject*>(object);
  HWND created = fresh->Window();
  // Taken before the children move: hiding a focused child while it changes parents hands the focus to the old
  // container.
  HWND focus = ::GetFocus();
  const bool focus_inside = focus != nullptr && (focus == old || ::IsChild(old, focus));
  if (unit.Flags() & unit_flag::kContainer) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(old, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
      children.push_back(child);
    }
    for (HWND child : children) ::SetParent(child, created);
  }
  const bool was_visible = (::GetWindowLongPtrA(old, GWL_STYLE) & WS_VISIBLE) != 0;
  unit.object = fresh;
  unit.control_id = control_id;
  ::SetWindowPos(created, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::SendMessageA(created, unit_message::kAllCreated, 0, 0);
  ::SendMessageA(created, unit_message::kWindowLoaded, 0, 0);
  if (was_visible) ::ShowWindow(created, SW_SHOWNA);
  // The old unit's destruction notice must leave the new object in the slot.
  recreating_window_ = window.Id();
  recreating_unit_ = unit.id;
  ::DestroyWindow(old);
  recreating_window_ = recreating_unit_ = 0;
  // The old unit's own focus (or that of a window inside it that went with it) passes to the new unit; a unit
  // carried over into the new container keeps its focus.
  if (focus_inside && (focus == old || !::IsWindow(focus))) {
    ::SetFocus(created);
  } else if (focus != nullptr && ::IsWindow(focus) && ::GetFocus() != focus) {
    ::SetFocus(focus);
  }
}

void WindowMap::ShowPage(UnitObject* container, std::int32_t page) {
  if (container == nullptr) return;
  for (auto& window : windows_) {
    for (LiveUnit& unit : window->working) {
      if (unit.object != container || unit.IsMenuItem()) continue;
      std::int32_t current = 0;
      for (std::uint32_t id : unit.Record().page_list) {
        if (id == 0) {
          ++current;
          continue;
        }
        LiveUnit* member = window->Unit(id);
        if (member == nullptr || member->IsMenuItem()) continue;
        member->page_hidden = current != page;
        if (!member->Live()) continue;
        const bool show = !member->page_hidden && (member->Record().state & state_flag::kVisible) &&
                          !(member->Flags() & unit_flag::kNeverShown);
        ::ShowWindow(member->Window(), show ? SW_SHOWNA : SW_HIDE);
      }
      return;
    }
  }
}

}  // namespace quarrow::forms
