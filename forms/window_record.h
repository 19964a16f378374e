// A window record: one per window id of the form descriptions, owned by the window map from start-up to shutdown.
// It keeps the window's description as read and, while the window is loaded, the working unit list: a fresh copy
// of the stored records made by each load, with the runtime's slots (unit object, cursor) beside every record.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "forms/form_description.h"
#include "base/program_header.h"
#include "base/unit_interface.h"

namespace quarrow::forms {

class WinFormUnit;

// Menu items are commands from this id on: the base plus the item's record index.
inline constexpr UINT kMenuCommandBase = 40000;

struct LiveUnit {
  std::uint32_t id = 0;
  UnitData data;
  // The handler addresses of the event table, resolved from the code base; one for a menu item.
  std::vector<std::uintptr_t> handlers;
  const UnitTypeEntry* type = nullptr;   // resolved by the load
  UnitObject* object = nullptr;          // while the unit has a platform window
  HCURSOR cursor = nullptr;              // made from the mouse-pointer data by the load
  bool owns_cursor = false;              // false for the platform's shared cursors
  bool page_hidden = false;              // on a page other than its container's current one
  std::uint32_t control_id = 0;

  bool IsMenuItem() const { return std::holds_alternative<MenuItemRecord>(data); }
  UnitRecord& Record() { return std::get<UnitRecord>(data); }
  const UnitRecord& Record() const { return std::get<UnitRecord>(data); }
  MenuItemRecord& MenuItem() { return std::get<MenuItemRecord>(data); }
  const MenuItemRecord& MenuItem() const { return std::get<MenuItemRecord>(data); }
  DataType UnitType() const {
    return IsMenuItem() ? MenuItem().unit_type : Record().unit_type;
  }
  std::uint32_t Flags() const { return type ? type->flags : 0; }
  HWND Window() const { return object ? object->Window() : nullptr; }
  bool Live() const { return Window() != nullptr && ::IsWindow(Window()); }
};

struct WindowRecord {
  WindowDescription stored;            // as read
  std::vector<LiveUnit> stored_units;  // the stored records, parsed, handlers resolved
  std::vector<LiveUnit> working;       // empty while the window is not loaded
  bool loading = false;

  std::uint32_t Id() const { return stored.id; }
  bool Loaded() const { return !working.empty(); }
  // The window's own platform window while it has a live one.
  HWND Hwnd() const;
  WinFormUnit* Form() const;
  // The working list's record of a unit id; unit id 0 is record 0.
  std::optional<std::size_t> IndexOf(std::uint32_t unit_id) const;
  LiveUnit* Unit(std::uint32_t unit_id);
  // The unit whose platform window is this one (for types with inner windows, also one inside it).
  LiveUnit* UnitOfWindow(HWND window);
};

}  // namespace quarrow::forms
