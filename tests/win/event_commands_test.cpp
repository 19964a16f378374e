// ProcessEvents and UnitExists as application code calls them: waiting messages run their handlers before the
// command returns (re-entrant ones included), a quit message stays queued, and units and windows stop existing
// when their window closes.
#include <gtest/gtest.h>

#include "commands/core_facade.h"
#include "tests/support/modal_watchdog.h"
#include "tests/win/unit_command_support.h"
#include "commands/core_unit_types.h"
#include "units/label.h"

namespace quarrow::testing {
namespace {

namespace w = uc_window;
namespace u = uc_unit;
namespace t = uc_tag;

class EventCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetHandlers();
    CloseWindows();
    ASSERT_TRUE(LoadAndActivate(w::kEvents));
    poster_ = UnitWindow(w::kEvents, u::kPoster);
    other_ = UnitWindow(w::kEvents, u::kOther);
    ASSERT_NE(poster_, nullptr);
    ASSERT_NE(other_, nullptr);
    Pump(50);
    ResetHandlers();
  }
  void TearDown() override {
    CloseWindows();
    ResetHandlers();
    EXPECT_TRUE(watchdog_.Unexpected().empty());
  }

  void Post(HWND label, WPARAM value) { ASSERT_TRUE(::PostMessageA(label, label::kFeedbackMessage, value, 0)); }
  std::vector<std::uintptr_t> FirstArgs() {
    std::vector<std::uintptr_t> values;
    for (const HandlerCall& call : HandlerCalls()) values.push_back(call.args.empty() ? 0 : call.args[0]);
    return values;
  }

  ModalWatchdog watchdog_;
  HWND poster_ = nullptr;
  HWND other_ = nullptr;
};

TEST_F(EventCommands, ProcessEventsRunsTheHandlersOfEveryWaitingMessage) {
  Post(poster_, 1);
  Post(other_, 2);
  Post(poster_, 3);
  EXPECT_EQ(CallsOf(t::kPosterFeedback), 0) << "posted, not yet handled";
  cmd::ProcessEvents();
  EXPECT_EQ(FirstArgs(), (std::vector<std::uintptr_t>{1, 2, 3})) << "all of them, in order";
  MSG left;
  EXPECT_FALSE(::PeekMessageA(&left, poster_, label::kFeedbackMessage, label::kFeedbackMessage, PM_NOREMOVE));
}

TEST_F(EventCommands, AHandlerRunFromProcessEventsFinishesBeforeItReturns) {
  std::vector<std::string> steps;
  OnHandler(t::kPosterFeedback, [&] {
    steps.push_back("begin");
    // Re-entrant: the handler lets waiting messages be handled itself.
    Post(other_, 7);
    cmd::ProcessEvents();
    steps.push_back("end");
  });
  OnHandler(t::kOtherFeedback, [&] { steps.push_back("other"); });
  Post(poster_, 1);
  cmd::ProcessEvents();
  EXPECT_EQ(steps, (std::vector<std::string>{"begin", "other", "end"}));
  EXPECT_EQ(CallsOf(t::kOtherFeedback), 1);
}

TEST_F(EventCommands, MessagesPostedWhileHandlingAreHandledBeforeProcessEventsReturns) {
  int chain = 0;
  OnHandler(t::kPosterFeedback, [&] {
    if (++chain < 5) Post(poster_, static_cast<WPARAM>(chain));
  });
  Post(poster_, 0);
  cmd::ProcessEvents();
  EXPECT_EQ(chain, 5) << "the queue is empty when it returns";
}

TEST_F(EventCommands, AQuitMessageStaysQueuedForTheMessageLoop) {
  Post(poster_, 1);
  ::PostQuitMessage(3);
  cmd::ProcessEvents();
  EXPECT_EQ(CallsOf(t::kPosterFeedback), 1);
  cmd::ProcessEvents();
  MSG quit;
  ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "still waiting";
  EXPECT_EQ(quit.wParam, 3u);
}

TEST_F(EventCommands, UnitExistsFollowsTheWindowsLife) {
  const rt::UnitRef poster = RefOf(w::kEvents, u::kPoster, core_type::kLabel);
  const rt::UnitRef window = {CoreUnitType(core_type::kWindow), w::kEvents, 0};
  EXPECT_TRUE(cmd::UnitExists(poster));
  EXPECT_TRUE(cmd::UnitExists(window));
  EXPECT_FALSE(cmd::UnitExists(RefOf(w::kEvents, 0x16029999, core_type::kLabel))) << "no such unit";
  EXPECT_FALSE(cmd::UnitExists(RefOf(w::kLabels, u::kCanvas, core_type::kLabel))) << "a window not loaded";
  EXPECT_FALSE(cmd::UnitExists({CoreUnitType(2), w::kEvents, u::kPoster})) << "a type that raises no events";
  EXPECT_FALSE(cmd::UnitExists({0x00050001, w::kEvents, u::kPoster})) << "no library has the type";

  ::SendMessageA(WindowOf(w::kEvents), WM_CLOSE, 0, 0);
  cmd::ProcessEvents();
  EXPECT_FALSE(::IsWindow(poster_));
  EXPECT_FALSE(cmd::UnitExists(poster));
  EXPECT_FALSE(cmd::UnitExists(window));
}

TEST_F(EventCommands, AHandlerThatClosesTheWindowInsideProcessEventsLeavesUnitExistsFalse) {
  OnHandler(t::kPosterFeedback, [] { ::DestroyWindow(WindowOf(w::kEvents)); });
  Post(poster_, 1);
  Post(other_, 2);  // its window is gone when the message would be handled
  cmd::ProcessEvents();
  EXPECT_EQ(CallsOf(t::kPosterFeedback), 1);
  EXPECT_EQ(CallsOf(t::kOtherFeedback), 0);
  EXPECT_FALSE(cmd::UnitExists(RefOf(w::kEvents, u::kOther, core_type::kLabel)));
}

}  // namespace
}  // namespace quarrow::testing
