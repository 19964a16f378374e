// Label: its stored properties, their block, its property table and the limits of its properties.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "base/byte_stream.h"
#include "base/program_header.h"
#include "units/unit_properties.h"

namespace quarrow {

namespace label {
// Local property indexes (property index − 8).
inline constexpr std::int32_t kText = 0;
inline constexpr std::int32_t kEffect = 1;
inline constexpr std::int32_t kBorder = 2;
inline constexpr std::int32_t kBorderWidth = 3;
inline constexpr std::int32_t kBorderColor1 = 4;
inline constexpr std::int32_t kBorderColor2 = 5;
inline constexpr std::int32_t kBorderColor3 = 6;
inline constexpr std::int32_t kFont = 7;
inline constexpr std::int32_t kTextColor = 8;
inline constexpr std::int32_t kBackColor = 9;
inline constexpr std::int32_t kPicture = 10;
inline constexpr std::int32_t kPictureMode = 11;
inline constexpr std::int32_t kBackGradient = 12;
inline constexpr std::int32_t kGradientColor1 = 13;
inline constexpr std::int32_t kGradientColor2 = 14;
inline constexpr std::int32_t kGradientColor3 = 15;
inline constexpr std::int32_t kAlignment = 16;
inline constexpr std::int32_t kWordWrap = 17;
inline constexpr std::int32_t kVAlignment = 18;
inline constexpr std::int32_t kDataSource = 19;
inline constexpr std::int32_t kDataColumn = 20;
inline constexpr std::int32_t kOwnPropertyCount = 21;

inline constexpr std::uint32_t kBlockVersion = 2;

extern const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable;

// Border 6 is the gradient frame, drawn by the label itself.
inline constexpr std::int32_t kGradientFrame = 6;
// In the frame and gradient colours this value leaves the colour stop out.
inline constexpr std::uint32_t kNoColorStop = 0xFF000000;

// Limits applied when a property is set.
inline std::int32_t ClampEffect(std::int32_t v) { return ClampTo(v, 0, 3); }
inline std::int32_t ClampBorder(std::int32_t v) { return ClampTo(v, 0, kGradientFrame); }
inline std::int32_t ClampBorderWidth(std::int32_t v) { return v <= 4 ? 5 : v; }
inline std::int32_t ClampPictureMode(std::int32_t v) { return ClampTo(v, 0, 2); }
inline std::int32_t ClampBackGradient(std::int32_t v) { return ClampTo(v, 0, 8); }
inline std::int32_t ClampAlignment(std::int32_t v) { return ClampTo(v, 0, 2); }
inline std::int32_t ClampVAlignment(std::int32_t v) { return ClampTo(v, 0, 2); }
}  // namespace label

struct LabelProperties {
  std::string text = "标签";
  std::int32_t effect = 0;
  std::int32_t border = 0;
  std::int32_t border_width = 8;
  std::uint32_t border_color1 = 0x808080;
  std::uint32_t border_color2 = 0xFFFFFF;
  std::uint32_t border_color3 = 0x808080;
  Bytes font;
  std::uint32_t text_color = 0x000000;
  std::uint32_t back_color = kButtonFaceColor;
  Bytes picture;
  std::int32_t picture_mode = 1;
  std::int32_t back_gradient = 0;
  std::uint32_t gradient_color1 = 0x808080;
  std::uint32_t gradient_color2 = 0xFFFFFF;
  std::uint32_t gradient_color3 = 0x808080;
  std::int32_t alignment = 0;
  bool word_wrap = false;
  std::int32_t v_alignment = 1;
  std::string data_source;
  std::string data_column;

  // Resets to the defaults, then reads the block; false (with the defaults) when it fails.
  bool Load(std::span<const std::uint8_t> block);
  Bytes Save() const;
  bool operator==(const LabelProperties&) const = default;
};

}  // namespace quarrow
