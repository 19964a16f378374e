// The ListView as a whole process sees it: a burst of rows complete once the real message loop goes idle, and a
// command on a list whose window is closed ending in the runtime error, watched from outside.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/child_process.h"
#include "tests/support/modal_watchdog.h"

namespace quarrow::testing {
namespace {

struct Outcome {
  std::optional<std::uint32_t> exit_code;
  std::vector<SeenBox> boxes;
  std::string log;
};

// Runs the probe with a scenario; every "错误" box is read and closed with OK.
Outcome RunProbe(const std::string& scenario) {
  const std::string log = TemporaryPath("list-view-log");
  ::DeleteFileA(log.c_str());
  ChildProcess child = ChildProcess::StartSibling("list_view_probe.exe", scenario + " " + log);
  EXPECT_TRUE(child.Started());
  Outcome outcome;
  {
    ModalWatchdog watchdog(child.Id());
    watchdog.ExpectAndPress("错误", IDOK);
    outcome.exit_code = child.Wait(30000);
    outcome.boxes = watchdog.Seen();
    EXPECT_TRUE(watchdog.Unexpected().empty());
  }
  outcome.log = ReadWholeFile(log);
  ::DeleteFileA(log.c_str());
  return outcome;
}

TEST(ListViewProcess, ABurstOfRowsIsCompleteWhenTheMessageLoopGoesIdle) {
  const Outcome o = RunProbe("idle-after-burst");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.exit_code, 0u);
  EXPECT_EQ(o.log, "idle: rows 300, scroll bar 300\nloop returned\nend of start routine\n");
}

TEST(ListViewProcess, ACommandOnAClosedWindowIsTheRuntimeErrorOfAMissingUnit) {
  const Outcome o = RunProbe("closed-window");
  ASSERT_EQ(o.boxes.size(), 1u);
  EXPECT_EQ(o.boxes[0].caption, "错误");
  EXPECT_EQ(o.boxes[0].text, "运行时出错!\r\n\r\n错误信息：指定窗口或窗口组件不存在或尚未载入\r\n");
  EXPECT_EQ(o.exit_code, 0xFFFFFFFFu);
  EXPECT_EQ(o.log, "") << "the command did not go on";
}

}  // namespace
}  // namespace quarrow::testing
