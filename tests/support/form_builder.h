// Builds form descriptions for tests with the real writer: a window record 0 with its stored property block, and
// ordinary units and menu items with sensible defaults.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "forms/form_description.h"
#include "forms/window_properties.h"

namespace quarrow::testing {

inline constexpr std::uint32_t kWindowRecordId = 0x06010000;

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

inline forms::UnitRecord ChildUnit(DataType unit_type, std::string name, std::int32_t left, std::int32_t top,
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

// A window description from (id, record) pairs, record 0 first.
inline forms::WindowDescription Window(std::uint32_t id,
                                       const std::vector<std::pair<std::uint32_t, forms::UnitData>>& units) {
  forms::WindowDescription window;
  window.id = id;
  for (const auto& [unit_id, data] : units) window.units.Append(unit_id, forms::EncodeUnitRecord(data));
  return window;
}

}  // namespace quarrow::testing
