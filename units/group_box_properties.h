// GroupBox: its stored properties, their block, its property table and the limits of its properties.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "base/byte_stream.h"
#include "base/program_header.h"
#include "units/unit_properties.h"

namespace quarrow {

namespace group_box {
// Local property indexes (property index − 8).
inline constexpr std::int32_t kText = 0;
inline constexpr std::int32_t kAlignment = 1;
inline constexpr std::int32_t kTextColor = 2;
inline constexpr std::int32_t kBackColor = 3;
inline constexpr std::int32_t kFont = 4;
inline constexpr std::int32_t kOwnPropertyCount = 5;

inline constexpr std::uint32_t kBlockVersion = 1;

extern const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable;

// Limits applied when a property is set.
inline std::int32_t ClampAlignment(std::int32_t v) { return ClampTo(v, 0, 2); }
}  // namespace group_box

struct GroupBoxProperties {
  std::string text;
  std::int32_t alignment = 0;
  std::uint32_t text_color = 0x000000;
  std::uint32_t back_color = kButtonFaceColor;
  Bytes font;

  // Resets to the defaults, then reads the block; false (with the defaults) when it fails.
  bool Load(std::span<const std::uint8_t> block);
  Bytes Save() const;
  bool operator==(const GroupBoxProperties&) const = default;
};

}  // namespace quarrow
