// The window engine as a whole process sees it: the message loop ending with the last window, and the runtime
// errors of bad input with their boxes and exit code -1, watched from outside.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/probe.h"

namespace quarrow::testing {
namespace {

// Runs the probe program with a scenario; every "错误" box is read and closed with OK.
ProbeOutcome RunProbe(const std::string& scenario) {
  ProbeOutcome outcome = testing::RunProbe("engine_probe.exe", scenario, 20000);
  EXPECT_TRUE(outcome.unexpected.empty());
  return outcome;
}

TEST(EngineProcess, AWindowClosedByItsCreatedHandlerSkipsTheLoopAndTheProgramEndsWithZero) {
  const ProbeOutcome o = RunProbe("created-closes");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.exit_code, 0u);
  EXPECT_EQ(o.log, "created\nloop returned\nend of start routine\n");
}

TEST(EngineProcess, ClosingTheLastWindowEndsTheLoopButClosingAnotherDoesNot) {
  const ProbeOutcome o = RunProbe("last-window");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.exit_code, 0u);
  // The idle callback of the live window ran through the real loop; the dead window's entry was dropped.
  EXPECT_EQ(o.log, "callback\nsecond closed\nloop goes on\ncallbacks 1\nloop returned\nend of start routine\n");
}

TEST(EngineProcess, ALibraryEndsTheProgramWithItsExitCode) {
  const ProbeOutcome o = RunProbe("library-ends-program");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.exit_code, 5u);
  EXPECT_EQ(o.log, "") << "nothing after the request runs";
}

struct BadInput {
  const char* scenario;
  const char* message;
  const char* log;
};

class EngineBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(EngineBadInput, IsARuntimeErrorWithItsBoxAndExitCodeMinusOne) {
  const BadInput& bad = GetParam();
  const ProbeOutcome o = RunProbe(bad.scenario);
  ASSERT_EQ(o.boxes.size(), 1u) << bad.scenario;
  EXPECT_EQ(o.boxes[0].caption, "错误");
  EXPECT_EQ(o.boxes[0].text, ErrorBoxText(bad.message)) << bad.scenario;
  EXPECT_EQ(o.exit_code, kErrorExit) << bad.scenario;
  EXPECT_EQ(o.log, bad.log) << bad.scenario;
}

INSTANTIATE_TEST_SUITE_P(
    Engine, EngineBadInput,
    ::testing::Values(BadInput{"bad-form", "载入窗口模板数据段出错!", ""},
                      BadInput{"start-window-fails", "载入启动窗口失败", ""},
                      BadInput{"start-window-not-in-map", "载入启动窗口失败", ""},
                      BadInput{"property-of-unknown-window", "未载入欲访问窗口组件所在的窗口", ""},
                      BadInput{"event-of-unknown-window", "未找到引发事件的窗口", ""},
                      BadInput{"event-of-unknown-unit", "未找到引发事件的窗口组件", ""},
                      BadInput{"event-of-mute-unit", "引发事件的窗口组件无效", ""},
                      BadInput{"own-property-of-unloaded-window", "指定窗口尚未载入", "width 80\n"},
                      BadInput{"object-of-missing-unit", "指定窗口或窗口组件不存在或尚未载入", ""},
                      BadInput{"text-to-number", "欲转换数据类型不是数值", ""},
                      BadInput{"library-reports-error", "库的错误", ""}),
    [](const ::testing::TestParamInfo<BadInput>& info) {
      std::string name = info.param.scenario;
      for (char& c : name) {
        if (c == '-') c = '_';
      }
      return name;
    });

}  // namespace
}  // namespace quarrow::testing
