// How windows come and go when handlers interfere: a load asked for again while it handles waiting messages, modal
// windows closed out of the order they opened in, a handler that throws while its event is under way.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "runtime/runtime_notify.h"
#include "tests/win/engine_support.h"

namespace quarrow::testing {
namespace {

namespace w = test_window;

struct TitleSearch {
  const std::string* title;
  int count;
};

BOOL CALLBACK CountTitled(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TitleSearch*>(param);
  char text[64] = {};
  ::GetWindowTextA(window, text, sizeof text);
  if (*search->title == text) ++search->count;
  return TRUE;
}

// The top-level windows of this thread with this title, whether the window map knows them or not.
int WindowsTitled(const std::string& title) {
  TitleSearch search{&title, 0};
  ::EnumThreadWindows(::GetCurrentThreadId(), CountTitled, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

class WindowLifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseWindows();
    ResetHandlers();
  }
  void TearDown() override { CloseWindows(); }
};

TEST_F(WindowLifecycle, AWindowAskedForWhileItsLoadHandlesWaitingMessagesIsBuiltOnce) {
  ASSERT_TRUE(Load(w::kKeepOpen));
  HWND keep_open = WindowOf(w::kKeepOpen);
  std::optional<bool> nested;
  OnHandler(tag::kKeepAskClose, [&] { nested = Windows().LoadWindow(w::kModal, false, false, nullptr); });
  AnswerFrom(tag::kKeepAskClose, 0);
  // A click already queued whose handler loads the window: the load handles it before it builds anything.
  ::PostMessageA(keep_open, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Load(w::kModal));
  ASSERT_TRUE(nested.has_value()) << "the waiting message was handled by the load";
  EXPECT_FALSE(*nested) << "the window was being loaded already";
  EXPECT_EQ(WindowsTitled("模态"), 1);
  HWND loaded = WindowOf(w::kModal);
  ASSERT_NE(loaded, nullptr);

  // The window map and the window agree: closing it leaves none behind, and it loads again afresh.
  ::SendMessageA(loaded, WM_CLOSE, 0, 0);
  EXPECT_EQ(WindowOf(w::kModal), nullptr);
  EXPECT_EQ(WindowsTitled("模态"), 0);
  ASSERT_TRUE(Load(w::kModal));
  EXPECT_EQ(WindowsTitled("模态"), 1);
}

TEST_F(WindowLifecycle, ModalWindowsClosedInEitherOrderLeaveTheWindowsBeneathAsTheyFoundThem) {
  ASSERT_TRUE(Load(w::kMain));
  HWND main = WindowOf(w::kMain);

  // The first modal window goes before the second, which disabled it in turn.
  ASSERT_TRUE(Load(w::kModal, true));
  HWND first = WindowOf(w::kModal);
  ASSERT_TRUE(Load(w::kEscapeOff, true));
  HWND second = WindowOf(w::kEscapeOff);
  EXPECT_FALSE(::IsWindowEnabled(main));
  EXPECT_FALSE(::IsWindowEnabled(first));
  ::SendMessageA(first, WM_CLOSE, 0, 0);
  ASSERT_FALSE(::IsWindow(first));
  EXPECT_FALSE(::IsWindowEnabled(main)) << "the second modal window is still open";
  ::SendMessageA(second, WM_CLOSE, 0, 0);
  ASSERT_FALSE(::IsWindow(second));
  EXPECT_TRUE(::IsWindowEnabled(main)) << "no modal window is left";

  // The last opened goes first.
  ASSERT_TRUE(Load(w::kModal, true));
  first = WindowOf(w::kModal);
  ASSERT_TRUE(Load(w::kEscapeOff, true));
  second = WindowOf(w::kEscapeOff);
  ::SendMessageA(second, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindowEnabled(first));
  EXPECT_FALSE(::IsWindowEnabled(main)) << "the first modal window is still open";
  ::SendMessageA(first, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindowEnabled(main));
}

TEST_F(WindowLifecycle, AHandlerThatThrowsLeavesNoEventSourceBehind) {
  ASSERT_TRUE(Load(w::kKeepOpen));
  OnHandler(tag::kKeepAskClose, [] { throw std::runtime_error("a handler failed"); });
  ::SendMessageA(WindowOf(w::kKeepOpen), WM_CLOSE, 0, 0);
  ASSERT_EQ(CallsOf(tag::kKeepAskClose), 1);
  EXPECT_EQ(LastCallOf(tag::kKeepAskClose)->source_window, w::kKeepOpen) << "the source was set while it ran";
  EXPECT_EQ(Windows().CurrentSourceWindow(), 0u);
  std::uint32_t source[2] = {1, 1};
  EXPECT_EQ(RuntimeNotify(notify_code::kCurrentEventSource, reinterpret_cast<std::uintptr_t>(source), 0), 0);
}

}  // namespace
}  // namespace quarrow::testing
