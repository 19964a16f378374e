// Where the rows go: standard output, or a file that takes its target's place only when every byte is written and
// flushed, so that an interrupted or failed run leaves the old file as it was (or none). One implementation per
// platform: output_target_posix.cpp (write, fsync, rename) and output_target_win32.cpp (the window's own file
// replacement, commands/file_replacement.h).
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quarrow::batch {

// A failed write: the message names the file and the reason.
class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class OutputTarget {
 public:
  virtual ~OutputTarget() = default;  // without Commit, a file's temporary is removed and the target untouched
  virtual void Write(std::string_view bytes) = 0;
  virtual void Commit() = 0;
};

std::unique_ptr<OutputTarget> OpenStandardOutput();
// Begins the replacement of the file at `path`; throws WriteError.
std::unique_ptr<OutputTarget> OpenReplacement(const std::string& path);
bool StandardErrorIsTerminal();
// A GBK text as the console shows it: as it is under Windows, whose ANSI code page is GBK; UTF-8 elsewhere.
std::string ConsoleText(std::string_view gbk);

}  // namespace quarrow::batch
