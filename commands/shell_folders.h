// Where SpecialFolderPath finds each well-known folder, and the trailing backslash its paths end in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quarrow {

enum class FolderSource {
  kNone,                // no such folder number
  kShell,               // the shell's special folder `shell_folder`
  kWindowsDirectory,
  kSystemDirectory,
  kTemporaryDirectory,
};

struct SpecialFolder {
  FolderSource source = FolderSource::kNone;
  int shell_folder = 0;  // the shell's folder number (a CSIDL value) for kShell
};

// 1 documents, 2 favourites, 3 desktop, 4 fonts, 5 start menu, 6 start menu programs, 7 start-up programs,
// 8 application data (shell folders); 9 Windows directory, 10 system directory, 11 temporary directory.
SpecialFolder SpecialFolderOf(std::int32_t number);

// The path with one backslash at its end: appended unless its last character already is one. The path is GBK,
// so a trail byte 0x5C of a two-byte character does not count as a backslash. The empty path stays empty.
std::string WithTrailingBackslash(std::string_view path);

}  // namespace quarrow
