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

namespace quarrow::forms {

inline constexpr std::uint32_t kWindowPropertiesVersion = 6;
inline constexpr std::uint32_t kSystemButtonFace = 0xFF000000;

struct WindowProperties {
  std::int32_t border_style = 2;
  std::int32_t picture_mode = 1;
  std::uint32_t background_colour = kSystemButtonFace;
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
