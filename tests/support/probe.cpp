#include "tests/support/probe.h"

#include "tests/support/child_process.h"
#include "tests/support/scratch_folder.h"

namespace quarrow::testing {

ProbeOutcome RunProbe(const std::string& program, const std::string& scenario, DWORD timeout_ms,
                      const std::string& more) {
  const std::string log = TemporaryPath(scenario + "-log");
  std::string arguments = scenario + " " + log;
  if (!more.empty()) arguments += " " + more;
  ProbeOutcome outcome;
  {
    ChildProcess child = ChildProcess::StartSibling(program, arguments);
    if (!child.Started()) return outcome;
    ModalWatchdog watchdog(child.Id());
    watchdog.ExpectAndPress("错误", IDOK);
    outcome.exit_code = child.Wait(timeout_ms);
    outcome.boxes = watchdog.Seen();
    outcome.unexpected = watchdog.Unexpected();
  }
  outcome.log = FileBytes(log).value_or("");
  ::DeleteFileA(log.c_str());
  return outcome;
}

}  // namespace quarrow::testing
