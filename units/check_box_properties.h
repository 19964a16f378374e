// CheckBox: its stored properties, their block, its property table and the limits of its properties.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "base/byte_stream.h"
#include "base/program_header.h"
#include "units/unit_properties.h"

namespace quarrow {

namespace check_box {
// Local property indexes (property index − 8).
inline constexpr std::int32_t kPicture = 0;
inline constexpr std::int32_t kPushLike = 1;
inline constexpr std::int32_t kFlat = 2;
inline constexpr std::int32_t kText = 3;
inline constexpr std::int32_t kBoxOnRight = 4;
inline constexpr std::int32_t kAlignment = 5;
inline constexpr std::int32_t kVAlignment = 6;
inline constexpr std::int32_t kTextColor = 7;
inline constexpr std::int32_t kBackColor = 8;
inline constexpr std::int32_t kFont = 9;
inline constexpr std::int32_t kChecked = 10;
inline constexpr std::int32_t kDataSource = 11;
inline constexpr std::int32_t kDataColumn = 12;
inline constexpr std::int32_t kOwnPropertyCount = 13;

inline constexpr std::uint32_t kBlockVersion = 2;

extern const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable;

// Limits applied when a property is set.
inline std::int32_t ClampAlignment(std::int32_t v) { return ClampTo(v, 0, 2); }
inline std::int32_t ClampVAlignment(std::int32_t v) { return ClampTo(v, 0, 2); }
}  // namespace check_box

struct CheckBoxProperties {
  Bytes picture;
  bool push_like = false;
  bool flat = false;
  std::string text = "选择框";
  bool box_on_right = false;
  std::int32_t alignment = 0;
  std::int32_t v_alignment = 1;
  std::uint32_t text_color = 0x000000;
  std::uint32_t back_color = kButtonFaceColor;
  Bytes font;
  bool checked = false;
  std::string data_source;
  std::string data_column;

  // Resets to the defaults, then reads the block; false (with the defaults) when it fails.
  bool Load(std::span<const std::uint8_t> block);
  Bytes Save() const;
  bool operator==(const CheckBoxProperties&) const = default;
};

}  // namespace quarrow
