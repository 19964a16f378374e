#include "commands/shell_folders.h"

namespace quarrow {

namespace {

// The shell's numbers of the folders we look up.
constexpr int kPersonal = 5;
constexpr int kFavourites = 6;
constexpr int kDesktopDirectory = 16;
constexpr int kFonts = 20;
constexpr int kStartMenu = 11;
constexpr int kPrograms = 2;
constexpr int kStartup = 7;
constexpr int kApplicationData = 26;

bool LastCharacterIsBackslash(std::string_view path) {
  bool last_is_backslash = false;
  for (std::size_t i = 0; i < path.size();) {
    const auto byte = static_cast<unsigned char>(path[i]);
    last_is_backslash = byte == '\\';
    i += byte < 0x80 ? 1 : 2;  // a byte of 0x80 or above leads a two-byte character
  }
  return last_is_backslash;
}

}  // namespace

SpecialFolder SpecialFolderOf(std::int32_t number) {
  switch (number) {
    case 1: return {FolderSource::kShell, kPersonal};
    case 2: return {FolderSource::kShell, kFavourites};
    case 3: return {FolderSource::kShell, kDesktopDirectory};
    case 4: return {FolderSource::kShell, kFonts};
    case 5: return {FolderSource::kShell, kStartMenu};
    case 6: return {FolderSource::kShell, kPrograms};
    case 7: return {FolderSource::kShell, kStartup};
    case 8: return {FolderSource::kShell, kApplicationData};
    case 9: return {FolderSource::kWindowsDirectory, 0};
    case 10: return {FolderSource::kSystemDirectory, 0};
    case 11: return {FolderSource::kTemporaryDirectory, 0};
    default: return {};
  }
}

std::string WithTrailingBackslash(std::string_view path) {
  std::string result(path);
  if (!result.empty() && !LastCharacterIsBackslash(path)) result += '\\';
  return result;
}

}  // namespace quarrow
