// Button: its stored properties, their block, its property table and the limits of its properties.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "base/byte_stream.h"
#include "base/program_header.h"
#include "units/unit_properties.h"

namespace quarrow {

namespace button {
// Local property indexes (property index − 8).
inline constexpr std::int32_t kPicture = 0;
inline constexpr std::int32_t kButtonType = 1;
inline constexpr std::int32_t kText = 2;
inline constexpr std::int32_t kAlignment = 3;
inline constexpr std::int32_t kVAlignment = 4;
inline constexpr std::int32_t kFont = 5;
inline constexpr std::int32_t kOwnPropertyCount = 6;

inline constexpr std::uint32_t kBlockVersion = 1;

extern const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable;

// ButtonType 1 is the default button of its window.
inline constexpr std::int32_t kDefaultButton = 1;

// Limits applied when a property is set.
inline std::int32_t ClampButtonType(std::int32_t v) { return ClampTo(v, 0, 1); }
inline std::int32_t ClampAlignment(std::int32_t v) { return ClampTo(v, 0, 2); }
inline std::int32_t ClampVAlignment(std::int32_t v) { return ClampTo(v, 0, 2); }
}  // namespace button

struct ButtonProperties {
  Bytes picture;
  std::int32_t button_type = 0;
  std::string text = "按钮";
  std::int32_t alignment = 1;
  std::int32_t v_alignment = 1;
  Bytes font;

  // Resets to the defaults, then reads the block; false (with the defaults) when it fails.
  bool Load(std::span<const std::uint8_t> block);
  Bytes Save() const;
  bool operator==(const ButtonProperties&) const = default;
};

}  // namespace quarrow
