#include <windows.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "batch/interruption.h"
#include "batch/output_target.h"
#include "commands/file_replacement.h"

namespace quarrow::batch {

namespace {

// The system's text for an error code (in the system's language), without its line break, and the code itself.
std::string Reason(DWORD error) {
  char* text = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
      reinterpret_cast<char*>(&text), 0, nullptr);
  std::string reason = length > 0 ? std::string(text, length) : std::string();
  if (text != nullptr) ::LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) reason.pop_back();
  return (reason.empty() ? "error" : reason) + " (" + std::to_string(error) + ")";
}

// A pipe whose reader has gone, as `head` leaves it once it has what it wants. Systems differ in which they say.
bool IsBrokenPipe(DWORD error) {
  return error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE || error == ERROR_PIPE_NOT_CONNECTED;
}

// Standard output is the caller's: written, never closed.
class StandardOutput final : public OutputTarget {
 public:
  void Write(std::string_view bytes) override {
    if (Interrupted()) EndAsInterrupted();
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    while (!bytes.empty()) {
      DWORD written = 0;
      const DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
      const BOOL done = ::WriteFile(out, bytes.data(), chunk, &written, nullptr);
      if (!done || written == 0) {
        const DWORD error = done ? ERROR_WRITE_FAULT : ::GetLastError();
        if (Interrupted()) EndAsInterrupted();
        if (IsBrokenPipe(error)) EndOnBrokenPipe();
        throw WriteError("cannot write standard output: " + Reason(error));
      }
      bytes.remove_prefix(written);
    }
  }
  void Commit() override {}
};

// A file replaced as the window's export replaces it, or a device written directly. An interrupt removes the
// temporary before the process ends; one the process could not see (it was killed) is removed by the next write to
// the same target.
class FileOutput final : public OutputTarget {
 public:
  explicit FileOutput(const std::string& path) : target_(path) {
    if (const DWORD error = replacement_.Begin(path.c_str()); error != ERROR_SUCCESS) Fail(error);
  }
  void Write(std::string_view bytes) override {
    EndIfInterrupted();
    if (const DWORD error = replacement_.Write(bytes.data(), bytes.size()); error != ERROR_SUCCESS) {
      EndIfInterrupted();
      if (IsBrokenPipe(error)) EndOnBrokenPipe();
      Fail(error);
    }
  }
  void Commit() override {
    EndIfInterrupted();
    if (const DWORD error = replacement_.Commit(); error != ERROR_SUCCESS) Fail(error);
  }

 private:
  void EndIfInterrupted() {
    if (!Interrupted()) return;
    replacement_.Abandon();
    EndAsInterrupted();
  }
  [[noreturn]] void Fail(DWORD error) { throw WriteError("cannot write " + target_ + ": " + Reason(error)); }

  std::string target_;
  FileReplacement replacement_;
};

}  // namespace

std::unique_ptr<OutputTarget> OpenStandardOutput() { return std::make_unique<StandardOutput>(); }
std::unique_ptr<OutputTarget> OpenFile(const std::string& path) { return std::make_unique<FileOutput>(path); }
bool StandardErrorIsTerminal() { return ::_isatty(::_fileno(stderr)) != 0; }

std::string ConsoleText(std::string_view gbk) { return std::string(gbk); }

}  // namespace quarrow::batch
