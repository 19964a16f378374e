// ListBox: its stored properties, their block, its property table and the limits of its properties.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "base/byte_stream.h"
#include "base/program_header.h"
#include "units/text_list.h"
#include "units/unit_properties.h"

namespace quarrow {

namespace list_box {
// Local property indexes (property index − 8).
inline constexpr std::int32_t kBorder = 0;
inline constexpr std::int32_t kSorted = 1;
inline constexpr std::int32_t kMultiColumn = 2;
inline constexpr std::int32_t kRowSpacing = 3;
inline constexpr std::int32_t kTextColor = 4;
inline constexpr std::int32_t kBackColor = 5;
inline constexpr std::int32_t kFont = 6;
inline constexpr std::int32_t kMultiSelect = 7;
inline constexpr std::int32_t kSelection = 8;
inline constexpr std::int32_t kItems = 9;
inline constexpr std::int32_t kItemData = 10;
inline constexpr std::int32_t kDataSource = 11;
inline constexpr std::int32_t kDataColumn = 12;
inline constexpr std::int32_t kDataFlag = 13;
inline constexpr std::int32_t kOwnPropertyCount = 14;

inline constexpr std::uint32_t kBlockVersion = 3;

extern const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable;

// Limits applied when a property is set.
inline std::int32_t ClampBorder(std::int32_t v) { return ClampTo(v, 0, kMaxBorderStyle); }
inline std::int32_t ClampRowSpacing(std::int32_t v) { return ClampTo(v, 0, 32767); }
// A selection within a list of `count` entries: at most count − 1, and -1 (none) below that; so an empty list
// selects nothing. Used both when Selection is set and when the unit is created.
std::int32_t ClampSelection(std::int32_t value, std::int32_t count);

// ItemData holds one little-endian 32-bit value per entry, in entry order; entries beyond it have item data 0.
std::uint32_t ItemDataAt(std::span<const std::uint8_t> item_data, std::size_t entry);
}  // namespace list_box

struct ListBoxProperties {
  std::int32_t border = 1;
  bool sorted = false;
  bool multi_column = false;
  std::int32_t row_spacing = 1;
  std::uint32_t text_color = 0x000000;
  std::uint32_t back_color = 0xFFFFFF;
  Bytes font;
  bool multi_select = false;
  std::int32_t selection = -1;
  TextList items;
  Bytes item_data;
  std::string data_source;
  std::string data_column;
  bool data_flag = false;

  // Resets to the defaults, then reads the block; false (with the defaults) when it fails.
  bool Load(std::span<const std::uint8_t> block);
  Bytes Save() const;
  bool operator==(const ListBoxProperties&) const = default;
};

}  // namespace quarrow
