// The program as a user drives it: type a count, press "生成", read the result list; fill and prune the name
// lists; clear the results.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/quarrow_session.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/screenshot.h"

namespace quarrow::e2e {
namespace {

class GenerateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session_.Started()) << "quarrow.exe did not show its window";
    for (HWND control : {session_.CountBox(), session_.GenerateButton(), session_.ResultList(),
                         session_.PercentLabel(), session_.AutoModeBox(), session_.RoadList()}) {
      ASSERT_NE(control, nullptr) << "a control is missing from the window";
    }
  }
  void TearDown() override {
    EXPECT_TRUE(session_.Watchdog().Unexpected().empty()) << "an unexpected box: "
                                                          << session_.Watchdog().Unexpected().front().text;
    const auto code = session_.Close();
    EXPECT_EQ(code, 0u) << "the program ends with 0 when its window is closed";
  }

  QuarrowSession session_;
};

TEST_F(GenerateTest, AnEmptyCountAddsNothing) {
  session_.Generate("");
  // A run with a prefix comes after the empty count has been handled: its two rows are all the list holds.
  session_.TypeInto(session_.PrefixBox(), "B");
  session_.Generate("2");
  ASSERT_TRUE(WaitUntil(
      [&] {
        const auto rows = session_.Rows();
        return !rows.empty() && rows.back()[0] == "2" && rows.back()[1].rfind("B", 0) == 0;
      },
      30000));
  EXPECT_EQ(session_.Column(0), (std::vector<std::string>{"1", "2"}));
}

TEST_F(GenerateTest, ACountOfThreeAddsThreeNumberedAutoAddresses) {
  session_.Generate("3");
  ASSERT_TRUE(session_.WaitForRows(3));
  const auto rows = session_.Rows();
  ASSERT_EQ(rows.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(rows[i][0], std::to_string(i + 1));
    EXPECT_TRUE(IsAutoAddress(rows[i][1])) << rows[i][1];
    EXPECT_EQ(rows[i][2], "");
  }
  EXPECT_TRUE(WaitUntil([&] { return WindowText(session_.PercentLabel()) == "100.0%"; }, 10000))
      << WindowText(session_.PercentLabel());
}

TEST_F(GenerateTest, NumberingRestartsWithEveryClick) {
  session_.Generate("3");
  ASSERT_TRUE(session_.WaitForRows(3));
  ClickCentre(session_.GenerateButton());
  ASSERT_TRUE(session_.WaitForRows(6));
  EXPECT_EQ(session_.Column(0), (std::vector<std::string>{"1", "2", "3", "1", "2", "3"}));
}

TEST_F(GenerateTest, ManualModeWithEmptyListsGivesOnlyThePrefix) {
  session_.TypeInto(session_.PrefixBox(), "ABC");
  ClickCentre(session_.AutoModeBox());
  ASSERT_TRUE(WaitUntil([&] { return ::SendMessageA(session_.AutoModeBox(), BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, 10000));
  session_.Generate("3");
  ASSERT_TRUE(session_.WaitForRows(3));
  EXPECT_EQ(session_.Column(1), (std::vector<std::string>{"ABC", "ABC", "ABC"}));
}

TEST_F(GenerateTest, EnterInTheRoadBoxAddsTheRoadEachTime) {
  session_.TypeInto(session_.RoadEntry(), "Xinhua");
  TapKey(VK_RETURN);
  TapKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return ReadListBox(session_.RoadList()).size() == 2; }, 10000));
  EXPECT_EQ(ReadListBox(session_.RoadList()), (std::vector<std::string>{"Xinhua", "Xinhua"}));
  EXPECT_EQ(WindowText(session_.RoadEntry()), "Xinhua") << "the entry box keeps its text";
}

TEST_F(GenerateTest, DeleteRemovesTheSelectedEntriesOnly) {
  HWND entry = session_.CommunityEntry();
  for (const char* name : {"a0", "a1", "a2", "a3", "a4"}) {
    ClickCentre(entry);
    ::SendMessageA(entry, EM_SETSEL, 0, -1);
    TapKey(VK_DELETE);
    TypeKeys(name);
    ClickCentre(session_.AddCommunityButton());
  }
  HWND list = session_.CommunityList();
  ASSERT_TRUE(WaitUntil([&] { return ReadListBox(list).size() == 5; }, 10000));
  const int row = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  ClickAt(list, 10, row * 1 + row / 2);
  PostClick(list, 10, row * 3 + row / 2, MK_CONTROL);
  PostClick(list, 10, row * 4 + row / 2, MK_CONTROL);
  ASSERT_TRUE(WaitUntil([&] { return ListBoxSelection(list) == std::vector<int>{1, 3, 4}; }, 10000));
  TapKey(VK_DELETE);
  EXPECT_TRUE(WaitUntil([&] { return ReadListBox(list) == std::vector<std::string>{"a0", "a2"}; }, 10000));
}

TEST_F(GenerateTest, ClearingEmptiesTheResultsAndLeavesTheRoadList) {
  session_.TypeInto(session_.RoadEntry(), "Renmin");
  ClickCentre(session_.AddRoadButton());
  session_.Generate("2");
  ASSERT_TRUE(session_.WaitForRows(2));
  ClickCentre(session_.ClearButton());
  EXPECT_TRUE(WaitUntil([&] { return ListViewRowCount(session_.ResultList()) == 0; }, 10000));
  EXPECT_EQ(ReadListBox(session_.RoadList()), std::vector<std::string>{"Renmin"});
}

// The bar on the screen is full: its middle row, inside its frame, all in the bar's colour.
bool BarShownFull(const WindowShot& shot, HWND window, HWND bar) {
  RECT frame, inner;
  if (shot.pixels.empty() || !::GetWindowRect(window, &frame) || !::GetClientRect(bar, &inner)) return false;
  ::MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&inner), 2);
  const int y = (inner.top + inner.bottom) / 2 - frame.top;
  const int left = inner.left + 2 - frame.left, right = inner.right - 2 - frame.left;
  if (y < 0 || y >= shot.height || left < 0 || right > shot.width || left >= right) return false;
  for (int x = left; x < right; ++x) {
    if (shot.At(x, y) != ::GetSysColor(COLOR_HIGHLIGHT)) return false;
  }
  return true;
}

// The picture of the window that the README shows: twenty rows, the bar full, the label at 100.0%. It is written
// next to the test program, whatever folder the test runs in; scripts/take-screenshot turns it into
// docs/screenshot.png.
TEST_F(GenerateTest, TwentyRowsAsTheUserSeesThem) {
  session_.TypeInto(session_.PrefixBox(), "");
  session_.Generate("20");
  ASSERT_TRUE(session_.WaitForRows(20));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(session_.PercentLabel()) == "100.0%"; }, 10000));
  ::RedrawWindow(session_.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  // The screen shows what the window painted a moment later. A window that is not on the screen comes out as one
  // flat colour; this one shows the bar full, and its texts, frames and bar in their colours.
  WindowShot shot;
  const bool finished = WaitUntil(
      [&] {
        shot = TakeWindowShot(session_.Window());
        return BarShownFull(shot, session_.Window(), session_.ProgressBar()) && shot.Colours() > 8;
      },
      10000);
  // An artifact of the build, next to the test program.
  ASSERT_TRUE(SaveBmp(shot, testing::ProgramFolder() + "main-window-20-rows.bmp"));
  EXPECT_TRUE(finished) << "the screen shows " << shot.Colours() << " colours, the bar "
                        << (BarShownFull(shot, session_.Window(), session_.ProgressBar()) ? "full" : "not full");
  EXPECT_GT(shot.width, 300);
  EXPECT_GT(shot.height, 200);
}

}  // namespace
}  // namespace quarrow::e2e
