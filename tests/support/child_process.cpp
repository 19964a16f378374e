#include "tests/support/child_process.h"

#include <utility>
#include <vector>

namespace quarrow::testing {

ChildProcess ChildProcess::StartSibling(const std::string& program, const std::string& arguments) {
  std::string command = "\"" + ProgramFolder() + program + "\"";
  if (!arguments.empty()) command += " " + arguments;
  return Start(command);
}

ChildProcess ChildProcess::Start(const std::string& command_line) {
  ChildProcess child;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::vector<char> command(command_line.begin(), command_line.end());
  command.push_back('\0');
  if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    ::CloseHandle(info.hThread);
    child.process_ = info.hProcess;
    child.id_ = info.dwProcessId;
  }
  return child;
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(std::exchange(other.id_, 0)) {}

ChildProcess::~ChildProcess() {
  if (process_ != nullptr) {
    if (::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) ::TerminateProcess(process_, 0xDEAD);
    ::CloseHandle(process_);
  }
}

std::optional<std::uint32_t> ChildProcess::Wait(DWORD timeout_ms) {
  if (process_ == nullptr) return std::nullopt;
  if (::WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) {
    Kill();
    return std::nullopt;
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process_, &code);
  return code;
}

void ChildProcess::Kill() {
  if (process_ != nullptr) {
    ::TerminateProcess(process_, 0xDEAD);
    ::WaitForSingleObject(process_, 5000);
  }
}

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path);
  return s.substr(0, s.rfind('\\') + 1);
}

}  // namespace quarrow::testing
