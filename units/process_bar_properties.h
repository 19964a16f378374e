// ProcessBar: its stored properties, their block, its property table, the limits of its properties and the range
// and position its control is given.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "base/byte_stream.h"
#include "base/program_header.h"
#include "units/unit_properties.h"

namespace quarrow {

namespace process_bar {
// Local property indexes (property index − 8).
inline constexpr std::int32_t kBorder = 0;
inline constexpr std::int32_t kOrientation = 1;
inline constexpr std::int32_t kBarStyle = 2;
inline constexpr std::int32_t kMinimum = 3;
inline constexpr std::int32_t kMaximum = 4;
inline constexpr std::int32_t kPosition = 5;
inline constexpr std::int32_t kOwnPropertyCount = 6;

inline constexpr std::uint32_t kBlockVersion = 1;

extern const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable;

inline constexpr std::int32_t kLargestValue = 32767;

// Limits applied when a property is set.
inline std::int32_t ClampBorder(std::int32_t v) { return ClampTo(v, 0, kMaxBorderStyle); }
inline std::int32_t ClampOrientation(std::int32_t v) { return ClampTo(v, 0, 1); }
inline std::int32_t ClampBarStyle(std::int32_t v) { return ClampTo(v, 0, 1); }
// Minimum, Maximum and Position.
inline std::int32_t ClampValue(std::int32_t v) { return ClampTo(v, 0, kLargestValue); }
}  // namespace process_bar

struct ProcessBarProperties {
  std::int32_t border = 3;
  std::int32_t orientation = 0;
  std::int32_t bar_style = 0;
  std::int32_t minimum = 0;
  std::int32_t maximum = 100;
  std::int32_t position = 0;

  // Resets to the defaults, then reads the block; false (with the defaults) when it fails.
  bool Load(std::span<const std::uint8_t> block);
  Bytes Save() const;
  bool operator==(const ProcessBarProperties&) const = default;
};

namespace process_bar {
// What the control is sent: the range with its ends in order and within 0..32767, and the position clamped into
// that range. The stored values stay as they were set.
struct ControlRange {
  std::int32_t low = 0;
  std::int32_t high = 0;
  bool operator==(const ControlRange&) const = default;
};
ControlRange RangeForControl(const ProcessBarProperties& p);
std::int32_t PositionForControl(const ProcessBarProperties& p);
}  // namespace process_bar

}  // namespace quarrow
