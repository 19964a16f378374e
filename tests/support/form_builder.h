// Builds form descriptions for tests with the real writer: a window record 0 with its stored property block, and
// ordinary units and menu items with sensible defaults; their events name slots ("tags") of the test program's
// handler table.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "forms/form_description.h"
#include "forms/window_properties.h"
#include "base/program_header.h"
#include "base/value.h"

namespace quarrow::testing {

inline constexpr std::uint32_t kWindowRecordId = 0x06010000;

// A unit type of the core library, which is library 1 of every test program.
inline constexpr DataType CoreUnitType(std::uint32_t number) { return UnitTypeRef(1, number); }

// The handler offset of a tag: the byte offset of its slot in the handler table.
inline constexpr std::int32_t HandlerOffset(int tag) { return tag * static_cast<std::int32_t>(sizeof(HandlerSlot)); }
inline forms::EventBinding On(std::int32_t event, int tag) { return {event, HandlerOffset(tag)}; }

inline forms::UnitRecord WindowUnit(const forms::WindowProperties& properties, std::int32_t left, std::int32_t top,
                                    std::int32_t width, std::int32_t height,
                                    std::uint32_t state = forms::state_flag::kVisible) {
  forms::UnitRecord unit;
  unit.unit_type = forms::kWindowUnitType;
  unit.left = left;
  unit.top = top;
  unit.width = width;
  unit.height = height;
  unit.state = state;
  unit.properties = forms::SaveWindowProperties(properties);
  return unit;
}

inline forms::UnitRecord ChildRecord(DataType unit_type, std::string name, std::int32_t left, std::int32_t top,
                                   std::int32_t width, std::int32_t height, std::int32_t tab_order = 0,
                                   std::uint32_t state = forms::state_flag::kVisible | forms::state_flag::kTabStop) {
  forms::UnitRecord unit;
  unit.unit_type = unit_type;
  unit.name = std::move(name);
  unit.left = left;
  unit.top = top;
  unit.width = width;
  unit.height = height;
  unit.tab_order = tab_order;
  unit.state = state;
  return unit;
}

// A child unit with its stored property block and its events.
inline forms::UnitRecord UnitWith(DataType unit_type, std::string name, std::int32_t left, std::int32_t top,
                                  std::int32_t width, std::int32_t height, Bytes block, std::int32_t tab_order,
                                  std::vector<forms::EventBinding> events = {}, std::uint32_t parent = 0) {
  forms::UnitRecord unit = ChildRecord(unit_type, std::move(name), left, top, width, height, tab_order);
  unit.properties = std::move(block);
  unit.events = std::move(events);
  unit.parent = parent;
  return unit;
}

// A child unit of a core-library type.
inline forms::UnitRecord Unit(std::uint32_t core_type, std::string name, std::int32_t left, std::int32_t top,
                              std::int32_t width, std::int32_t height, Bytes block, std::int32_t tab_order,
                              std::vector<forms::EventBinding> events = {}, std::uint32_t parent = 0) {
  return UnitWith(CoreUnitType(core_type), std::move(name), left, top, width, height, std::move(block), tab_order,
                  std::move(events), parent);
}

// The window record of a titled window that stays where it is placed.
inline forms::UnitRecord PlacedWindow(const std::string& title, std::int32_t left, std::int32_t top, std::int32_t width,
                                      std::int32_t height, std::vector<forms::EventBinding> events = {}) {
  forms::WindowProperties p;
  p.title = title;
  p.start_position = 0;
  forms::UnitRecord window = WindowUnit(p, left, top, width, height);
  window.events = std::move(events);
  return window;
}

// A window description from (id, record) pairs, record 0 first.
inline forms::WindowDescription Window(std::uint32_t id,
                                       const std::vector<std::pair<std::uint32_t, forms::UnitData>>& units) {
  forms::WindowDescription window;
  window.id = id;
  for (const auto& [unit_id, data] : units) window.units.Append(unit_id, forms::EncodeUnitRecord(data));
  return window;
}

}  // namespace quarrow::testing
