// CommonDlg: its stored properties, their block, its property table and the limits of its properties.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "base/byte_stream.h"
#include "base/program_header.h"
#include "units/unit_properties.h"

namespace quarrow {

namespace common_dlg {
// Local property indexes (property index − 8).
inline constexpr std::int32_t kDialogType = 0;
inline constexpr std::int32_t kTitle = 1;
inline constexpr std::int32_t kFileName = 2;
inline constexpr std::int32_t kFilter = 3;
inline constexpr std::int32_t kFilterIndex = 4;
inline constexpr std::int32_t kInitialDir = 5;
inline constexpr std::int32_t kDefaultExt = 6;
inline constexpr std::int32_t kCreatePrompt = 7;
inline constexpr std::int32_t kFileMustExist = 8;
inline constexpr std::int32_t kOverwritePrompt = 9;
inline constexpr std::int32_t kPathMustExist = 10;
inline constexpr std::int32_t kNoChangeDir = 11;
inline constexpr std::int32_t kFontColor = 12;
inline constexpr std::int32_t kBold = 13;
inline constexpr std::int32_t kItalic = 14;
inline constexpr std::int32_t kStrikeOut = 15;
inline constexpr std::int32_t kUnderline = 16;
inline constexpr std::int32_t kFontName = 17;
inline constexpr std::int32_t kFontSize = 18;
inline constexpr std::int32_t kHelpFile = 19;
inline constexpr std::int32_t kHelpCommand = 20;
inline constexpr std::int32_t kHelpContext = 21;
inline constexpr std::int32_t kOwnPropertyCount = 22;

inline constexpr std::uint32_t kBlockVersion = 1;

extern const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable;

// Dialog types.
inline constexpr std::int32_t kOpenFile = 0;
inline constexpr std::int32_t kSaveFile = 1;
inline constexpr std::int32_t kFontDialog = 2;
inline constexpr std::int32_t kHelp = 3;

// Limits applied when a property is set.
inline std::int32_t ClampDialogType(std::int32_t v) { return ClampTo(v, 0, 3); }
inline std::int32_t ClampHelpCommand(std::int32_t v) { return ClampTo(v, 0, 5); }
inline std::int32_t ClampFilterIndex(std::int32_t v) { return v < 0 ? 0 : v; }
inline std::int32_t ClampFontSize(std::int32_t v) { return v < 0 ? 0 : v; }
}  // namespace common_dlg

struct CommonDlgProperties {
  std::int32_t dialog_type = 0;
  std::string title;
  std::string file_name;
  std::string filter;
  std::int32_t filter_index = 0;
  std::string initial_dir;
  std::string default_ext;
  bool create_prompt = false;
  bool file_must_exist = true;
  bool overwrite_prompt = true;
  bool path_must_exist = true;
  bool no_change_dir = false;
  std::uint32_t font_color = 0x000000;
  bool bold = false;
  bool italic = false;
  bool strike_out = false;
  bool underline = false;
  std::string font_name;
  std::int32_t font_size = 0;
  std::string help_file;
  std::int32_t help_command = 0;
  std::int32_t help_context = 0;

  // Resets to the defaults, then reads the block; false (with the defaults) when it fails.
  bool Load(std::span<const std::uint8_t> block);
  Bytes Save() const;
  bool operator==(const CommonDlgProperties&) const = default;
};

}  // namespace quarrow
