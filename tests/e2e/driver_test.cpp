// The end-to-end driver against a window whose contents are known, so that a fault in the driver is not
// mistaken for a fault of the program.
#include <gtest/gtest.h>

#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/save_dialog.h"
#include "tests/support/child_process.h"
#include "tests/support/modal_watchdog.h"
#include "tests/support/scratch_folder.h"

namespace quarrow::e2e {
namespace {

using testing::ChildProcess;
using testing::ModalWatchdog;
using testing::ScratchFolder;

class DriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(child_.Started());
    top_ = WaitForTopLevel(child_.Id(), "DriverFixture", "fixture", 10000);
    ASSERT_NE(top_, nullptr);
  }
  void TearDown() override { ::PostMessageA(top_, WM_CLOSE, 0, 0); child_.Wait(5000); }

  ScratchFolder folder_;  // goes after the fixture program, whose current folder the save dialog may have moved
  ChildProcess child_ = ChildProcess::StartSibling("driver_fixture.exe");
  HWND top_ = nullptr;
};

TEST_F(DriverTest, ReadsListViewCellsAcrossProcessesIncludingEmptyOnes) {
  HWND list = FindControl(top_, "SysListView32", 10, 10);
  ASSERT_NE(list, nullptr);
  const auto rows = ReadListView(list, 2);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0][0], "1");
  EXPECT_EQ(rows[0][1], "长安路 03号");
  EXPECT_EQ(rows[1][1], "");
  EXPECT_EQ(rows[2][1], "x");
}

TEST_F(DriverTest, ReadsListBoxEntriesAsGbk) {
  HWND list = FindControl(top_, "ListBox", 220, 10);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ReadListBox(list), (std::vector<std::string>{"甲", "乙", "丙"}));
}

TEST_F(DriverTest, ClicksSelectAndTypes) {
  Activate(top_);
  HWND button = FindControl(top_, "Button", 330, 10);
  ClickCentre(button);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(top_) == "clicks 1"; }, 3000)) << WindowText(top_);

  HWND list = FindControl(top_, "ListBox", 220, 10);
  const int row = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  ClickAt(list, 10, row / 2);
  EXPECT_TRUE(WaitUntil([&] { return ListBoxSelection(list) == std::vector<int>{0}; }, 3000));
  PostClick(list, 10, row * 2 + row / 2, MK_CONTROL);
  EXPECT_TRUE(WaitUntil([&] { return ListBoxSelection(list) == std::vector<int>{0, 2}; }, 3000))
      << ListBoxSelection(list).size() << " selected, first " << (ListBoxSelection(list).empty() ? -1 : ListBoxSelection(list)[0]) << ", row height " << row;

  HWND edit = FindControl(top_, "Edit", 220, 120);
  ClickCentre(edit);
  TypeKeys("12a");
  EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == "12a"; }, 3000)) << WindowText(edit);
}

TEST_F(DriverTest, OperatesTheSaveDialog) {
  const std::string target = folder_ / "driver-save-test";
  std::string proposed;
  {
    ModalWatchdog watchdog(child_.Id());
    watchdog.Expect(kSaveDialogTitle, [&](HWND dialog, const testing::SeenBox&) {
      proposed = ProposedFileName(dialog);
      TypeFileName(dialog, target);
      PressSave(dialog);
      return true;
    });
    Activate(top_);
    TapKey(VK_F2);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(top_) == target + ".txt"; }, 10000)) << WindowText(top_);
    EXPECT_TRUE(watchdog.Unexpected().empty());
  }
  EXPECT_EQ(proposed, "first.txt");
  EXPECT_NE(::GetFileAttributesA((target + ".txt").c_str()), INVALID_FILE_ATTRIBUTES);

  // Saving again to the same name asks before replacing; answering No keeps the dialog, Cancel ends it.
  {
    ModalWatchdog watchdog(child_.Id());
    watchdog.Expect(kSaveDialogTitle, [&](HWND dialog, const testing::SeenBox&) {
      TypeFileName(dialog, target + ".txt");
      PressSave(dialog);
      return true;
    });
    // No keeps the save dialog open; then the user cancels it.
    watchdog.Expect(kReplaceQuestionCaption, [&](HWND box, const testing::SeenBox&) {
      HWND dialog = ::GetWindow(box, GW_OWNER);
      testing::PressButton(box, IDNO);
      WaitUntil([&] { return !::IsWindow(box); }, 5000);
      PressCancel(dialog);
      return true;
    });
    TapKey(VK_F2);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(top_) == "cancelled"; }, 10000)) << WindowText(top_);
    bool asked = false;
    for (const auto& seen : watchdog.Seen()) asked |= seen.caption == kReplaceQuestionCaption;
    EXPECT_TRUE(asked);
    EXPECT_TRUE(watchdog.Unexpected().empty());
  }
}

}  // namespace
}  // namespace quarrow::e2e
