// The units of the application's window as application code addresses them.
#pragma once

#include "app/main_window.h"
#include "runtime/facade.h"

namespace quarrow::app::units {

constexpr rt::UnitRef Of(DataType type, std::uint32_t id) { return {type, kMainWindowId, id}; }

inline constexpr rt::UnitRef kCountBox = Of(unit_type::kEditBox, unit::kCountBox);
inline constexpr rt::UnitRef kPrefixBox = Of(unit_type::kEditBox, unit::kPrefixBox);
inline constexpr rt::UnitRef kAutoModeBox = Of(unit_type::kCheckBox, unit::kAutoModeBox);
inline constexpr rt::UnitRef kProgressBar = Of(unit_type::kProcessBar, unit::kProgressBar);
inline constexpr rt::UnitRef kPercentLabel = Of(unit_type::kLabel, unit::kPercentLabel);
inline constexpr rt::UnitRef kResultList = Of(unit_type::kListView, unit::kResultList);
inline constexpr rt::UnitRef kSaveDialog = Of(unit_type::kCommonDlg, unit::kSaveDialog);

inline constexpr rt::UnitRef kRoadList = Of(unit_type::kListBox, unit::kRoadList);
inline constexpr rt::UnitRef kRoadEntry = Of(unit_type::kEditBox, unit::kRoadEntry);
inline constexpr rt::UnitRef kCommunityList = Of(unit_type::kListBox, unit::kCommunityList);
inline constexpr rt::UnitRef kCommunityEntry = Of(unit_type::kEditBox, unit::kCommunityEntry);

inline constexpr rt::UnitRef kHouseNumberMin = Of(unit_type::kEditBox, unit::kHouseNumberMin);
inline constexpr rt::UnitRef kHouseNumberMax = Of(unit_type::kEditBox, unit::kHouseNumberMax);
inline constexpr rt::UnitRef kBuildingMin = Of(unit_type::kEditBox, unit::kBuildingMin);
inline constexpr rt::UnitRef kBuildingMax = Of(unit_type::kEditBox, unit::kBuildingMax);
inline constexpr rt::UnitRef kUnitMin = Of(unit_type::kEditBox, unit::kUnitMin);
inline constexpr rt::UnitRef kUnitMax = Of(unit_type::kEditBox, unit::kUnitMax);
inline constexpr rt::UnitRef kRoomMin = Of(unit_type::kEditBox, unit::kRoomMin);
inline constexpr rt::UnitRef kRoomMax = Of(unit_type::kEditBox, unit::kRoomMax);

}  // namespace quarrow::app::units
