// The runtime as a whole process sees it: message boxes, exit codes and exit routines, watched from outside.
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

// Runs the probe program with a scenario; every "错误" box is read and closed with OK.
Outcome RunProbe(const std::string& scenario) {
  const std::string log = TemporaryPath("probe-log");
  ::DeleteFileA(log.c_str());
  ChildProcess child = ChildProcess::StartSibling("runtime_probe.exe", scenario + " " + log);
  EXPECT_TRUE(child.Started());
  Outcome outcome;
  {
    ModalWatchdog watchdog(child.Id());
    watchdog.ExpectAndPress("错误", IDOK);
    outcome.exit_code = child.Wait(20000);
    outcome.boxes = watchdog.Seen();
    EXPECT_TRUE(watchdog.Unexpected().empty());
  }
  outcome.log = ReadWholeFile(log);
  ::DeleteFileA(log.c_str());
  return outcome;
}

constexpr std::uint32_t kErrorExit = 0xFFFFFFFFu;

TEST(RuntimeProcess, WithoutWindowsTheStartWindowFailsInABoxAndTheProgramEndsWithMinusOne) {
  const Outcome o = RunProbe("no-windows");
  ASSERT_EQ(o.boxes.size(), 1u);
  EXPECT_EQ(o.boxes[0].caption, "错误");
  EXPECT_EQ(o.boxes[0].text, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_EQ(o.exit_code, kErrorExit);
  EXPECT_EQ(o.log, "library notify 1\nlibrary notify 6\n") << "neither the exit routine nor the code after the failed load may run";
}

TEST(RuntimeProcess, ExitRoutinesRunOnceEachInRegistrationOrder) {
  const Outcome o = RunProbe("exit-routines");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.exit_code, 7u);
  EXPECT_EQ(o.log, "library notify 1\nA\nB\nlibrary notify 6\n") << "exit routines, then the libraries' shutdown notice";
}

TEST(RuntimeProcess, ARuntimeErrorSkipsTheExitRoutinesButNotifiesTheLibraries) {
  const Outcome o = RunProbe("error-skips-exit-routines");
  ASSERT_EQ(o.boxes.size(), 1u);
  EXPECT_EQ(o.boxes[0].text,
            "运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n");
  EXPECT_EQ(o.exit_code, kErrorExit);
  EXPECT_EQ(o.log, "library notify 1\nlibrary notify 6\n");
}

TEST(RuntimeProcess, EndProgramFromAnotherThreadEndsTheProcessOnTheMainThread) {
  const Outcome o = RunProbe("end-from-thread");
  EXPECT_EQ(o.exit_code, 42u);
  EXPECT_EQ(o.log, "library notify 1\nexit on main thread\nlibrary notify 6\n");
}

TEST(RuntimeProcess, EndProgramFromAnotherThreadDuringTheMainThreadsCleanupReturnsAndKeepsItsExitCode) {
  const Outcome o = RunProbe("end-from-thread-during-cleanup");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.exit_code, 7u) << "the cleanup that runs ends the process with its own code";
  EXPECT_EQ(o.log, "library notify 1\nrequest returned\nlibrary notify 6\n");
}

TEST(RuntimeProcess, AnExitRoutineThatThrowsDuringAnEndRequestStillEndsTheProgramWithTheRequestedCode) {
  const Outcome o = RunProbe("end-from-thread-exit-routine-throws");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.exit_code, 42u);
  EXPECT_EQ(o.log, "library notify 1\nexit routine throws\n") << "the exception stops at the hidden owner window";
}

TEST(RuntimeProcess, TheLoopIsSkippedWhenNoWindowIsLiveAndTheProgramEndsWithZero) {
  const Outcome o = RunProbe("loop-without-window");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.exit_code, 0u);
  // The exit processing runs twice (after start-up, and when the runtime object goes); the second finds nothing.
  EXPECT_EQ(o.log, "library notify 1\nloop returned\nA\nlibrary notify 6\n");
}

TEST(RuntimeProcess, DllCommandsResolveBySystemSearchNameAndOrdinal) {
  const Outcome o = RunProbe("dll");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.log, "library notify 1\n1\n42\n7\n11\nlibrary notify 6\n");
  EXPECT_EQ(o.exit_code, 0u);
}

// The routine of a DLL command is called by the caller itself, with the caller's convention, and returns straight to
// it: a __stdcall system routine and a __cdecl one, many times, leave the stack pointer where it was.
TEST(RuntimeProcess, DllCommandsOfBothCallingConventionsReturnStraightToTheCaller) {
  const Outcome o = RunProbe("dll-conventions");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.log, "library notify 1\nwrong results 0, stack moved by 0\nlibrary notify 6\n");
  EXPECT_EQ(o.exit_code, 0u);
}

TEST(RuntimeProcess, AMissingDllRoutineIsARuntimeErrorNamingIt) {
  Outcome o = RunProbe("dll-missing-entry");
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
