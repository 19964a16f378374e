// Where the rows go: standard output; a device, a FIFO or a socket, written directly as a shell's redirection
// writes it; or a file that takes its target's place only when every byte is written and flushed, so that an
// interrupted or failed run leaves the old file as it was (or none). One implementation per platform:
// output_target_posix.cpp (write, fsync, rename) and output_target_win32.cpp (the window's own file replacement,
// commands/file_replacement.h); what each does with which target is commands/replacement_policy.h. Every write
// first looks whether an interrupt came (batch/interruption.h).
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

// Standard output is the caller's: it is written, never closed, renamed or given attributes.
std::unique_ptr<OutputTarget> OpenStandardOutput();
// The file at `path`: a device (also a FIFO or a socket on Linux) is opened and written directly; a file is
// replaced, and where `path` is a symbolic link, the file it leads to is, while the link stays a link. A folder and
// a file the user may not open for writing are refused. Throws WriteError.
std::unique_ptr<OutputTarget> OpenFile(const std::string& path);
// "-" is standard output, as for most command-line programs; any other name is OpenFile's.
inline std::unique_ptr<OutputTarget> OpenOutput(const std::string& path) {
  return path == "-" ? OpenStandardOutput() : OpenFile(path);
}
bool StandardErrorIsTerminal();
// A GBK text as the console shows it: as it is under Windows, whose ANSI code page is GBK; UTF-8 elsewhere.
std::string ConsoleText(std::string_view gbk);

}  // namespace quarrow::batch
