// EditBox: its stored properties, their block, its property table and the limits of its properties.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "base/byte_stream.h"
#include "base/program_header.h"
#include "units/unit_properties.h"

namespace quarrow {

namespace edit_box {
// Local property indexes (property index − 8).
inline constexpr std::int32_t kText = 0;
inline constexpr std::int32_t kBorder = 1;
inline constexpr std::int32_t kTextColor = 2;
inline constexpr std::int32_t kBackColor = 3;
inline constexpr std::int32_t kFont = 4;
inline constexpr std::int32_t kHideSelection = 5;
inline constexpr std::int32_t kMaxLength = 6;
inline constexpr std::int32_t kMultiLine = 7;
inline constexpr std::int32_t kScrollBars = 8;
inline constexpr std::int32_t kAlignment = 9;
inline constexpr std::int32_t kInputMode = 10;
inline constexpr std::int32_t kPasswordChar = 11;
inline constexpr std::int32_t kLetterCase = 12;
inline constexpr std::int32_t kAdjusterStyle = 13;
inline constexpr std::int32_t kAdjusterMin = 14;
inline constexpr std::int32_t kAdjusterMax = 15;
inline constexpr std::int32_t kSelStart = 16;
inline constexpr std::int32_t kSelLength = 17;
inline constexpr std::int32_t kSelText = 18;  // not stored
inline constexpr std::int32_t kDataSource = 19;
inline constexpr std::int32_t kDataColumn = 20;
inline constexpr std::int32_t kOwnPropertyCount = 21;

inline constexpr std::uint32_t kBlockVersion = 2;

extern const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable;

// Input modes.
inline constexpr std::int32_t kModeNormal = 0;
inline constexpr std::int32_t kModeReadOnly = 1;
inline constexpr std::int32_t kModePassword = 2;
inline constexpr std::int32_t kModeIntegerText = 3;
inline constexpr std::int32_t kModeDecimalText = 4;
inline constexpr std::int32_t kModeByte = 5;
inline constexpr std::int32_t kModeShort = 6;
inline constexpr std::int32_t kModeInt = 7;
inline constexpr std::int32_t kModeLong = 8;
inline constexpr std::int32_t kModeFloat = 9;
inline constexpr std::int32_t kModeDouble = 10;
inline constexpr std::int32_t kModeDateTime = 11;

// Adjuster styles.
inline constexpr std::int32_t kNoAdjuster = 0;
inline constexpr std::int32_t kAutomaticAdjuster = 1;
inline constexpr std::int32_t kManualAdjuster = 2;

// Limits applied when a property is set.
inline std::int32_t ClampMaxLength(std::int32_t v) { return v < 0 ? 0 : v; }
inline std::int32_t ClampScrollBars(std::int32_t v) { return ClampTo(v, 0, 3); }
inline std::int32_t ClampAlignment(std::int32_t v) { return ClampTo(v, 0, 2); }
inline std::int32_t ClampInputMode(std::int32_t v) { return ClampTo(v, 0, 11); }
inline std::int32_t ClampLetterCase(std::int32_t v) { return ClampTo(v, 0, 2); }
inline std::int32_t ClampAdjusterStyle(std::int32_t v) { return ClampTo(v, 0, 2); }
// The password character is the first byte of the text set (0 for the empty text).
inline std::uint8_t PasswordCharOf(const char* text) {
  return text == nullptr ? 0 : static_cast<std::uint8_t>(text[0]);
}

// The selection as start and length; End() is start + length, kept within the 32-bit range.
struct Selection {
  std::int32_t start = 0;
  std::int32_t length = 0;
  std::int32_t End() const;
  bool operator==(const Selection&) const = default;
};
// SelStart set to `value`: -1 puts the caret after the text (length 0); other negatives start at 0 and keep the
// length.
Selection WithSelStart(Selection current, std::int32_t value, std::int32_t text_length);
// SelLength set to `value`: -1 selects the whole text; other negatives mean 0; the start stays.
Selection WithSelLength(Selection current, std::int32_t value, std::int32_t text_length);
}  // namespace edit_box

struct EditBoxProperties {
  std::string text;
  std::int32_t border = 1;
  std::uint32_t text_color = 0x000000;
  std::uint32_t back_color = 0xFFFFFF;
  Bytes font;
  bool hide_selection = true;
  std::int32_t max_length = 0;
  bool multi_line = false;
  std::int32_t scroll_bars = 0;
  std::int32_t alignment = 0;
  std::int32_t input_mode = 0;
  std::uint8_t password_char = '*';
  std::int32_t letter_case = 0;
  std::int32_t adjuster_style = 0;
  std::int32_t adjuster_min = 0;
  std::int32_t adjuster_max = 100;
  std::int32_t sel_start = 0;
  std::int32_t sel_length = 0;
  std::string data_source;
  std::string data_column;

  // Resets to the defaults, then reads the block; false (with the defaults) when it fails.
  bool Load(std::span<const std::uint8_t> block);
  Bytes Save() const;
  bool operator==(const EditBoxProperties&) const = default;
};

}  // namespace quarrow
