// ListView ("超级列表框"): the list-view common control with its stored columns and rows, image lists, colours,
// label editing, check boxes and info tips. Type 4 of the extended interface library.
#pragma once

#include <cstdint>

#include "base/program_header.h"
#include "base/value.h"

namespace quarrow {

namespace list_view {
// The unit-type reference of a ListView: library 2, type 4.
inline constexpr DataType kUnitType = 0x00020004;
inline constexpr std::uint32_t kUnitTypeFlags = 0x40;

// Its own events.
inline constexpr std::int32_t kCurrentItemChanged = 0;
inline constexpr std::int32_t kItemActivated = 1;
inline constexpr std::int32_t kColumnClicked = 2;      // column index
inline constexpr std::int32_t kHotItemChanged = 3;     // row index
inline constexpr std::int32_t kClicked = 4;
inline constexpr std::int32_t kRightClicked = 5;
inline constexpr std::int32_t kLabelEditStarting = 6;  // row index; false cancels the edit
inline constexpr std::int32_t kLabelEditEnded = 7;     // row index; false rejects the new label
inline constexpr std::int32_t kCheckStateChanged = 8;  // row index, check state (0, 1, or -1 without a state image)
}  // namespace list_view

// The unit-type interface routine.
UnitOperation ListViewInterface(std::int32_t code);

}  // namespace quarrow
