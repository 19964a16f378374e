// A program started by a test, with a deadline: a child that outlives its deadline is killed and reported.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace quarrow::testing {

class ChildProcess {
 public:
  // Starts a program of this build (a file next to the test program) with the given arguments.
  static ChildProcess StartSibling(const std::string& program, const std::string& arguments = "");
  static ChildProcess Start(const std::string& command_line);

  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess(const ChildProcess&) = delete;
  ~ChildProcess();

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  // The exit code, or nothing when the child is still running after the timeout (it is then killed).
  std::optional<std::uint32_t> Wait(DWORD timeout_ms);
  void Kill();

 private:
  ChildProcess() = default;
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// The folder of the running test program, with a trailing backslash.
std::string ProgramFolder();

}  // namespace quarrow::testing
