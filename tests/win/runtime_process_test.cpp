// The runtime as a whole process sees it: message boxes, exit codes and exit routines, watched from outside.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/probe.h"

namespace quarrow::testing {
namespace {

// Runs the probe program with a scenario; every "错误" box is read and closed with OK.
ProbeOutcome RunProbe(const std::string& scenario) {
  ProbeOutcome outcome = testing::RunProbe("runtime_probe.exe", scenario, 20000);
  EXPECT_TRUE(outcome.unexpected.empty());
  return outcome;
}

TEST(RuntimeProcess, WithoutWindowsTheStartWindowFailsInABoxAndTheProgramEndsWithMinusOne) {
  const ProbeOutcome o = RunProbe("no-windows");
  ASSERT_EQ(o.boxes.size(), 1u);
  EXPECT_EQ(o.boxes[0].caption, "错误");
  EXPECT_EQ(o.boxes[0].text, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_EQ(o.exit_code, kErrorExit);
  EXPECT_EQ(o.log, "library notify 1\nlibrary notify 6\n") << "neither the exit routine nor the code after the failed load may run";
}

TEST(RuntimeProcess, ExitRoutinesRunOnceEachInRegistrationOrder) {
  // A, no routine, B, A again: the null is not kept and A runs once.
  const ProbeOutcome o = RunProbe("exit-routines");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.exit_code, 7u);
  EXPECT_EQ(o.log, "library notify 1\nA\nB\nlibrary notify 6\n") << "exit routines, then the libraries' shutdown notice";
}

TEST(RuntimeProcess, ARuntimeErrorSkipsTheExitRoutinesButNotifiesTheLibraries) {
  const ProbeOutcome o = RunProbe("error-skips-exit-routines");
  ASSERT_EQ(o.boxes.size(), 1u);
  EXPECT_EQ(o.boxes[0].text,
            "运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n");
  EXPECT_EQ(o.exit_code, kErrorExit);
  EXPECT_EQ(o.log, "library notify 1\nlibrary notify 6\n");
}

TEST(RuntimeProcess, EndProgramFromAnotherThreadEndsTheProcessOnTheMainThread) {
  const ProbeOutcome o = RunProbe("end-from-thread");
  EXPECT_EQ(o.exit_code, 42u);
  EXPECT_EQ(o.log, "library notify 1\nexit on main thread\nlibrary notify 6\n");
}

TEST(RuntimeProcess, EndProgramFromAnotherThreadDuringTheMainThreadsCleanupReturnsAndKeepsItsExitCode) {
  const ProbeOutcome o = RunProbe("end-from-thread-during-cleanup");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.exit_code, 7u) << "the cleanup that runs ends the process with its own code";
  EXPECT_EQ(o.log, "library notify 1\nrequest returned\nlibrary notify 6\n");
}

TEST(RuntimeProcess, AnExitRoutineThatThrowsDuringAnEndRequestStillEndsTheProgramWithTheRequestedCode) {
  const ProbeOutcome o = RunProbe("end-from-thread-exit-routine-throws");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.exit_code, 42u);
  EXPECT_EQ(o.log, "library notify 1\nexit routine throws\n") << "the exception stops at the hidden owner window";
}

TEST(RuntimeProcess, TheLoopIsSkippedWhenNoWindowIsLiveAndTheProgramEndsWithZero) {
  const ProbeOutcome o = RunProbe("loop-without-window");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.exit_code, 0u);
  // The exit processing runs twice (after start-up, and when the runtime object goes); the second finds nothing.
  EXPECT_EQ(o.log, "library notify 1\nloop returned\nA\nlibrary notify 6\n");
}

TEST(RuntimeProcess, DllCommandsResolveBySystemSearchNameAndOrdinal) {
  const ProbeOutcome o = RunProbe("dll");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.log, "library notify 1\n1\n42\n7\n11\nlibrary notify 6\n");
  EXPECT_EQ(o.exit_code, 0u);
}

// The routine of a DLL command is called by the caller itself, with the caller's convention, and returns straight to
// it: a __stdcall system routine and a __cdecl one, many times, leave the stack pointer where it was.
TEST(RuntimeProcess, DllCommandsOfBothCallingConventionsReturnStraightToTheCaller) {
  const ProbeOutcome o = RunProbe("dll-conventions");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.log, "library notify 1\nwrong results 0, stack moved by 0\nlibrary notify 6\n");
  EXPECT_EQ(o.exit_code, 0u);
}

TEST(RuntimeProcess, AMissingDllRoutineIsARuntimeErrorNamingIt) {
  ProbeOutcome o = RunProbe("dll-missing-entry");
  ASSERT_EQ(o.boxes.size(), 1u);
  EXPECT_EQ(o.boxes[0].text, "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件中的输出命令“NoSuchRoutineAnywhere”\r\n");
  EXPECT_EQ(o.exit_code, kErrorExit);

  o = RunProbe("dll-missing-library");
  ASSERT_EQ(o.boxes.size(), 1u);
  EXPECT_EQ(o.boxes[0].text, "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“nosuch.dll”中的输出命令“Foo”\r\n");
  EXPECT_EQ(o.exit_code, kErrorExit);
}

}  // namespace
}  // namespace quarrow::testing
