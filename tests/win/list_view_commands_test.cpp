// The five ListView commands through the service table on live list views, and the painting of rows that arrive
// in a burst.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/support/modal_watchdog.h"
#include "tests/win/list_view_test_support.h"
#include "units/burst_painting.h"
#include "units/list_view.h"
#include "units/list_view_commands.h"
#include "units/list_view_facade.h"
#include "units/list_view_unit.h"

namespace quarrow::testing {
namespace {

namespace w = list_window;
namespace u = list_unit;

class ListViewCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HandlerCalls().clear();
    ASSERT_TRUE(LoadAndActivate(w::kResult));
    list_ = UnitWindow(w::kResult, u::kResultList);
    ASSERT_NE(list_, nullptr);
  }
  void TearDown() override {
    CloseWindows();
    HandlerCalls().clear();
  }

  // A command called with exactly these argument records, the unit first.
  ValueRecord Call(std::int32_t command, std::vector<ValueRecord> args, rt::UnitRef unit) {
    args.insert(args.begin(), rt::Arg(unit));
    return Services().call_library_command(kListViewCommands[command], static_cast<std::int32_t>(args.size()),
                                           args.data());
  }
  ValueRecord Call(std::int32_t command, std::vector<ValueRecord> args) { return Call(command, args, ref_); }

  rt::UnitRef ref_ = ListRef(w::kResult, u::kResultList);
  HWND list_ = nullptr;
};

namespace c = list_view_command;

TEST_F(ListViewCommandsTest, RowsAreAppendedWhenThePositionIsOmittedOrNegative) {
  EXPECT_EQ(cmd::ListViewInsertItem(ref_), 0);
  EXPECT_EQ(cmd::ListViewInsertItem(ref_), 1);
  EXPECT_EQ(cmd::ListViewInsertItem(ref_, -5, "末"), 2);
  EXPECT_EQ(cmd::ListViewInsertItem(ref_, 0, "首"), 0);
  EXPECT_EQ(cmd::ListViewInsertItem(ref_, 999, "远"), 4) << "the control puts a row beyond the end at the end";
  EXPECT_EQ(cmd::ListViewItemCount(ref_), 5);
  EXPECT_EQ(CellOf(list_, 0, 0), "首");
  EXPECT_EQ(CellOf(list_, 1, 0), "");
  EXPECT_EQ(CellOf(list_, 3, 0), "末");
  EXPECT_EQ(CellOf(list_, 4, 0), "远");
}

TEST_F(ListViewCommandsTest, InsertTakesImageIndentAndItemDataWithinTheirLimits) {
  EXPECT_EQ(Call(c::kInsertItem, {rt::Arg(-1), rt::Arg("一"), rt::Arg(-7), rt::Omitted(), rt::Arg(-3), rt::Arg(-42)})
                .Int(),
            0);
  EXPECT_EQ(Call(c::kInsertItem, {rt::Omitted(), rt::Omitted(), rt::Arg(2), rt::Omitted(), rt::Arg(4), rt::Arg(9)})
                .Int(),
            1);
  LVITEMA item = {};
  item.mask = LVIF_IMAGE | LVIF_INDENT | LVIF_PARAM;
  ::SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.iImage, -1);
  EXPECT_EQ(item.iIndent, 0);
  EXPECT_EQ(item.lParam, -42);
  item.iItem = 1;
  ::SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.iImage, 2);
  EXPECT_EQ(item.iIndent, 4);
  EXPECT_EQ(item.lParam, 9);
  EXPECT_EQ(CellOf(list_, 1, 0), "");
}

TEST_F(ListViewCommandsTest, AGivenStateImageIsShownAndAnOmittedOneLeavesTheCheckBox) {
  ASSERT_TRUE(LoadAndActivate(w::kChecks));
  const rt::UnitRef checks = ListRef(w::kChecks, u::kCheckList);
  HWND list = UnitWindow(w::kChecks, u::kCheckList);
  const auto state_image = [&](int row) {
    return static_cast<int>(::SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12);
  };
  const std::int32_t checked = Call(c::kInsertItem, {rt::Omitted(), rt::Arg("勾"), rt::Omitted(), rt::Arg(1)}, checks).Int();
  const std::int32_t plain = Call(c::kInsertItem, {rt::Omitted(), rt::Arg("空")}, checks).Int();
  const std::int32_t none = Call(c::kInsertItem, {rt::Omitted(), rt::Arg("无"), rt::Omitted(), rt::Arg(-9)}, checks).Int();
  EXPECT_EQ(state_image(checked), 2) << "checked";
  EXPECT_EQ(state_image(plain), 1) << "the control's unchecked box";
  EXPECT_EQ(state_image(none), 0) << "no state image";
}

TEST_F(ListViewCommandsTest, CellsAreWrittenAndReadBackWhole) {
  cmd::ListViewInsertItem(ref_);
  cmd::ListViewInsertItem(ref_);
  const std::string ascii(600, 'x');
  std::string wide = "a";
  for (int i = 0; i < 300; ++i) wide += "地";  // a double-byte character across every buffer boundary
  cmd::ListViewSetItemText(ref_, 0, 1, ascii.c_str());
  cmd::ListViewSetItemText(ref_, 1, 1, wide.c_str());
  cmd::ListViewSetItemText(ref_, 1, 2, "短");
  EXPECT_EQ(cmd::ListViewItemText(ref_, 0, 1).View(), ascii);
  EXPECT_EQ(cmd::ListViewItemText(ref_, 1, 1).View(), wide);
  EXPECT_EQ(cmd::ListViewItemText(ref_, 1, 2).View(), "短");

  // The empty text, a missing row and a missing column come back as no text at all.
  EXPECT_EQ(cmd::ListViewItemText(ref_, 0, 2).Get(), nullptr);
  EXPECT_EQ(cmd::ListViewItemText(ref_, 7, 0).Get(), nullptr);
  EXPECT_EQ(cmd::ListViewItemText(ref_, 0, 9).Get(), nullptr);

  // An omitted column is column 0; an omitted text empties the cell.
  Call(c::kSetItemText, {rt::Arg(0), rt::Omitted(), rt::Arg("零")});
  rt::Text first = rt::Text::Adopt(Call(c::kItemText, {rt::Arg(0), rt::Omitted()}).Pointer<char>());
  EXPECT_EQ(first.View(), "零");
  Call(c::kSetItemText, {rt::Arg(1), rt::Arg(2), rt::Omitted()});
  EXPECT_EQ(CellOf(list_, 1, 2), "");
  // Writing a row that does not exist changes nothing.
  cmd::ListViewSetItemText(ref_, 5, 0, "无");
  EXPECT_EQ(cmd::ListViewItemCount(ref_), 2);
}

TEST_F(ListViewCommandsTest, DeletingAllRowsLeavesNone) {
  for (int i = 0; i < 5; ++i) cmd::ListViewInsertItem(ref_);
  EXPECT_EQ(cmd::ListViewItemCount(ref_), 5);
  cmd::ListViewDeleteAllItems(ref_);
  EXPECT_EQ(cmd::ListViewItemCount(ref_), 0);
  EXPECT_EQ(RowCount(list_), 0);
  EXPECT_EQ(cmd::ListViewInsertItem(ref_), 0);
}

TEST_F(ListViewCommandsTest, AUnitOfAnotherTypeGetsTheNeutralAnswers) {
  const rt::UnitRef button = ListRef(w::kResult, u::kButton);
  EXPECT_EQ(cmd::ListViewInsertItem(button), -1);
  EXPECT_EQ(cmd::ListViewItemCount(button), 0);
  EXPECT_EQ(cmd::ListViewItemText(button, 0, 0).Get(), nullptr);
  cmd::ListViewSetItemText(button, 0, 0, "无");
  cmd::ListViewDeleteAllItems(button);
  EXPECT_EQ(WindowText(UnitWindow(w::kResult, u::kButton)), "按钮");
}

// Rows that arrive in a burst.

void InsertRows(rt::UnitRef list, int count) {
  for (int i = 0; i < count; ++i) {
    const std::int32_t row = cmd::ListViewInsertItem(list);
    cmd::ListViewSetItemText(list, row, 0, "序号");
    cmd::ListViewSetItemText(list, row, 1, "地址");
  }
}

TEST_F(ListViewCommandsTest, ABurstIsShownCompleteWhenTheLoopGoesIdle) {
  const std::size_t callbacks = TheRuntime().IdleCallbackCount();
  InsertRows(ref_, 60);
  EXPECT_EQ(RowCount(list_), 60);
  EXPECT_LT(ScrollRows(list_), 60) << "the scroll bar waits while the rows arrive";
  EXPECT_EQ(TheRuntime().IdleCallbackCount(), callbacks + 1);
  TheRuntime().RunIdleCallbacks();
  EXPECT_EQ(ScrollRows(list_), 60);
  EXPECT_TRUE(::GetUpdateRect(list_, nullptr, FALSE)) << "the rows wait for the platform's paint";
  EXPECT_EQ(TheRuntime().IdleCallbackCount(), callbacks);
}

TEST_F(ListViewCommandsTest, ABurstIsShownOnceMessagesAreHandled) {
  InsertRows(ref_, 40);
  ASSERT_LT(ScrollRows(list_), 40);
  EXPECT_FALSE(::GetUpdateRect(list_, nullptr, FALSE)) << "nothing has asked for a paint";
  EXPECT_TRUE(PumpUntil([&] { return ScrollRows(list_) == 40; }, 2000));
  // With no more rows coming the timer stops.
  const ListView* unit = ListView::Of(UnitObjectOf(w::kResult, u::kResultList));
  ASSERT_NE(unit, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return !unit->Painting().Ticking(); }, 2000));
  EXPECT_FALSE(unit->Painting().Suspended());
}

TEST_F(ListViewCommandsTest, ALongBurstIsShownWhileItGoesOn) {
  // Rows keep coming, with messages handled between them as the application does; the list shows some of them
  // before the last has arrived.
  int rows = 0;
  EXPECT_TRUE(PumpUntil([&] {
    const int shown = ScrollRows(list_);
    if (shown > 0 && shown <= rows) return true;
    InsertRows(ref_, 5);
    rows += 5;
    return false;
  }));
}

TEST_F(ListViewCommandsTest, APaintRequestEndsTheBurstFirst) {
  InsertRows(ref_, 30);
  ASSERT_LT(ScrollRows(list_), 30);
  ::InvalidateRect(list_, nullptr, TRUE);
  ::UpdateWindow(list_);
  EXPECT_EQ(ScrollRows(list_), 30);
  EXPECT_FALSE(::GetUpdateRect(list_, nullptr, FALSE)) << "painted whole";
}

}  // namespace
}  // namespace quarrow::testing
