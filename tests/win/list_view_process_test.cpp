// The ListView as a whole process sees it: a burst of rows complete once the real message loop goes idle, and a
// command on a list whose window is closed ending in the runtime error, watched from outside.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/probe.h"

namespace quarrow::testing {
namespace {

// Runs the probe with a scenario; every "错误" box is read and closed with OK.
ProbeOutcome RunProbe(const std::string& scenario) {
  ProbeOutcome outcome = testing::RunProbe("list_view_probe.exe", scenario, 30000);
  EXPECT_TRUE(outcome.unexpected.empty());
  return outcome;
}

TEST(ListViewProcess, ABurstOfRowsIsCompleteWhenTheMessageLoopGoesIdle) {
  const ProbeOutcome o = RunProbe("idle-after-burst");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.exit_code, 0u);
  EXPECT_EQ(o.log, "idle: rows 300, scroll bar 300\nloop returned\nend of start routine\n");
}

TEST(ListViewProcess, ACommandOnAClosedWindowIsTheRuntimeErrorOfAMissingUnit) {
  const ProbeOutcome o = RunProbe("closed-window");
  ASSERT_EQ(o.boxes.size(), 1u);
  EXPECT_EQ(o.boxes[0].caption, "错误");
  EXPECT_EQ(o.boxes[0].text, "运行时出错!\r\n\r\n错误信息：指定窗口或窗口组件不存在或尚未载入\r\n");
  EXPECT_EQ(o.exit_code, kErrorExit);
  EXPECT_EQ(o.log, "") << "the command did not go on";
}

}  // namespace
}  // namespace quarrow::testing
