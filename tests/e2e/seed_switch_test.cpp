// quarrow.exe given a --seed it cannot use: it says what the switch takes and ends with exit code 2 before its
// window opens, instead of running from the clock as if the run could be made again.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/driver/quarrow_session.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/support/child_process.h"
#include "tests/support/modal_watchdog.h"

namespace quarrow::e2e {
namespace {

constexpr char kUsage[] =
    "--seed 后面须是 0 到 4294967295 之间的整数（例如 --seed 42 或 --seed=42），且只能指定一次。";

bool MainWindowShown(DWORD process_id) { return WaitForTopLevel(process_id, "WTWindow", "Quarrow", 0) != nullptr; }

TEST(SeedSwitch, AnUnusableSeedIsRefusedWithABoxAndExitCodeTwoBeforeTheWindowOpens) {
  for (const char* arguments :
       {"--seed abc", "--seed -1", "--seed 4294967296", "--seed", "--seed=", "--seed 7 --seed=8"}) {
    testing::ChildProcess program = testing::ChildProcess::Start("\"" + QuarrowProgram() + "\" " + arguments);
    ASSERT_TRUE(program.Started());
    bool window_behind_box = false;
    testing::ModalWatchdog watchdog(program.Id());
    watchdog.Expect("Quarrow", [&](HWND box, const testing::SeenBox&) {
      window_behind_box = MainWindowShown(program.Id());
      testing::PressButton(box, IDOK);
      return true;
    });
    // The program ends, or shows its window, which it must not.
    const bool ended = WaitUntil(
        [&] { return ::WaitForSingleObject(program.Handle(), 0) == WAIT_OBJECT_0 || MainWindowShown(program.Id()); },
        20000);
    ASSERT_TRUE(ended) << arguments << ": neither ended nor showed its window";
    EXPECT_FALSE(MainWindowShown(program.Id())) << arguments;
    EXPECT_EQ(program.Wait(5000), 2u) << arguments;
    const auto seen = watchdog.Seen();
    ASSERT_EQ(seen.size(), 1u) << arguments;
    EXPECT_EQ(seen[0].caption, "Quarrow");
    EXPECT_EQ(seen[0].text, kUsage);
    EXPECT_FALSE(window_behind_box) << arguments;
  }
}

TEST(SeedSwitch, AUsableSeedOpensTheWindow) {
  for (const char* arguments : {"--seed 0", "--seed=4294967295", "\"--seed\" \"42\""}) {
    QuarrowSession session(arguments);
    ASSERT_TRUE(session.Started()) << arguments;
    EXPECT_TRUE(session.Watchdog().Seen().empty()) << arguments;
    EXPECT_EQ(session.Close(), 0u) << arguments;
  }
}

}  // namespace
}  // namespace quarrow::e2e
