// A probe program of this build, run with a scenario and watched from outside: its exit code, the boxes it shows
// and the log it writes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/modal_watchdog.h"

namespace quarrow::testing {

struct ProbeOutcome {
  std::optional<std::uint32_t> exit_code;  // nothing: it outlived its time and was killed
  std::vector<SeenBox> boxes;              // every box it showed; the "错误" boxes were closed with OK
  std::vector<SeenBox> unexpected;         // the boxes of any other caption, dismissed
  std::string log;
};

inline constexpr std::uint32_t kErrorExit = 0xFFFFFFFFu;  // exit code -1

// The text of a runtime error's box that has no error code.
inline std::string ErrorBoxText(const std::string& message) {
  return "运行时出错!\r\n\r\n错误信息：" + message + "\r\n";
}

// Runs "<program> <scenario> <log path> <more>", the log in the test program's scratch folder.
ProbeOutcome RunProbe(const std::string& program, const std::string& scenario, DWORD timeout_ms,
                      const std::string& more = "");

}  // namespace quarrow::testing
