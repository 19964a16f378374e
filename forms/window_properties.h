// The window unit's stored property block: record 0's own properties. Version 6 is written; versions 0 to 6 are
// read, and fields a lower version lacks keep their defaults.
//
//   version word
//   words: border style, picture mode, background colour, maximize button, minimize button, control box,
//          start position, close button, music mode, Enter moves focus, Escape closes, F1 opens help, help context
//   version > 1: show in task bar
//   version > 2: drag by client area, property 28
//   version > 3: always on top
//   version > 4: property 30
//   version 6:   window class name (counted text)
//   counted buffers: background picture, icon, background music
//   counted texts: title, help file name
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/byte_stream.h"
#include "units/unit_properties.h"

namespace quarrow::forms {

inline constexpr std::uint32_t kWindowPropertiesVersion = 6;

namespace window_property {
// Local property indexes (property index − 8).
inline constexpr std::int32_t kTitle = 0;
inline constexpr std::int32_t kBorderStyle = 1;
inline constexpr std::int32_t kBackgroundColour = 2;
inline constexpr std::int32_t kPicture = 3;
inline constexpr std::int32_t kPictureMode = 4;
inline constexpr std::int32_t kMusic = 5;
inline constexpr std::int32_t kMusicMode = 6;
inline constexpr std::int32_t kControlBox = 7;
inline constexpr std::int32_t kMaximizeButton = 8;
inline constexpr std::int32_t kMinimizeButton = 9;
inline constexpr std::int32_t kStartPosition = 10;
inline constexpr std::int32_t kCloseButton = 11;
inline constexpr std::int32_t kIcon = 12;
inline constexpr std::int32_t kEnterMovesFocus = 13;
inline constexpr std::int32_t kEscapeCloses = 14;
inline constexpr std::int32_t kF1OpensHelp = 15;
inline constexpr std::int32_t kHelpFile = 16;
inline constexpr std::int32_t kHelpContext = 17;
inline constexpr std::int32_t kShowInTaskBar = 18;
inline constexpr std::int32_t kDragByClientArea = 19;
inline constexpr std::int32_t kProperty28 = 20;
inline constexpr std::int32_t kAlwaysOnTop = 21;
inline constexpr std::int32_t kProperty30 = 22;
inline constexpr std::int32_t kClassName = 23;
inline constexpr std::int32_t kOwnPropertyCount = 24;
}  // namespace window_property

struct WindowProperties {
  std::int32_t border_style = 2;
  std::int32_t picture_mode = 1;
  std::uint32_t background_colour = kButtonFaceColor;
  std::int32_t maximize_button = 0;
  std::int32_t minimize_button = 1;
  std::int32_t control_box = 1;
  std::int32_t start_position = 1;
  std::int32_t close_button = 1;
  std::int32_t music_mode = 0;
  std::int32_t enter_moves_focus = 0;
  std::int32_t escape_closes = 1;
  std::int32_t f1_opens_help = 0;
  std::int32_t help_context = 0;
  std::int32_t show_in_task_bar = 1;
  std::int32_t drag_by_client_area = 0;
  std::int32_t property_28 = 0;
  std::int32_t always_on_top = 0;
  std::int32_t property_30 = 0;
  std::string class_name;
  Bytes picture;
  Bytes icon;
  Bytes music;
  std::string title;
  std::string help_file;

  bool operator==(const WindowProperties&) const = default;
};

// Resets *out to the defaults, then reads. An empty block succeeds with the defaults; a version above 6 (compared
// unsigned) or a block that ends early fails.
bool LoadWindowProperties(std::span<const std::uint8_t> block, WindowProperties* out);
Bytes SaveWindowProperties(const WindowProperties& properties);

// The icon bytes of a stored block, without loading the rest into a window; empty when it has none or cannot
// be read.
Bytes WindowIconData(std::span<const std::uint8_t> block);

}  // namespace quarrow::forms
