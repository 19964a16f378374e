// The list-box commands as application code calls them, on the real ListBox unit: counting, reading, adding
// (sorted and not, with item data), deleting, and the selected entries of single and extended lists chosen with
// the mouse; unusable indices and units that are no list boxes give the neutral results.
#include <gtest/gtest.h>

#include "commands/core_commands.h"
#include "commands/core_facade.h"
#include "runtime/runtime.h"
#include "tests/support/modal_watchdog.h"
#include "tests/win/unit_command_support.h"
#include "commands/core_unit_types.h"
#include "units/list_box_properties.h"
#include "units/unit_properties.h"

namespace quarrow::testing {
namespace {

namespace w = uc_window;
namespace u = uc_unit;

std::vector<std::int32_t> Elements(const rt::Array<std::int32_t>& array) {
  std::vector<std::int32_t> elements;
  for (std::size_t i = 1; i <= array.Count(); ++i) elements.push_back(array.At(static_cast<std::int64_t>(i)));
  return elements;
}

std::string Text(const rt::Text& text) { return text.Get() ? text.Get() : "<null>"; }

class ListBoxCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetHandlers();
    CloseWindows();
    ASSERT_TRUE(LoadAndActivate(w::kLists));
    ASSERT_NE(UnitWindow(w::kLists, u::kSingleList), nullptr);
  }
  void TearDown() override {
    CloseWindows();
    EXPECT_TRUE(watchdog_.Unexpected().empty());
  }

  static rt::UnitRef List(std::uint32_t unit) { return RefOf(w::kLists, unit, core_type::kListBox); }
  static HWND Control(std::uint32_t unit) { return UnitWindow(w::kLists, unit); }
  static LRESULT ItemData(std::uint32_t unit, int index) {
    return ::SendMessageA(Control(unit), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  }

  // A click on an entry as the user makes it; with Ctrl, as the mouse messages it becomes.
  void ClickEntry(std::uint32_t unit, int index, bool with_ctrl = false) {
    HWND list = Control(unit);
    RECT entry = {};
    ASSERT_NE(::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry)),
              LB_ERR);
    const int x = (entry.left + entry.right) / 2;
    const int y = (entry.top + entry.bottom) / 2;
    if (with_ctrl) {
      PostClick(list, x, y, MK_CONTROL);
    } else {
      ClickAt(list, x, y);
    }
  }

  ModalWatchdog watchdog_;
};

TEST_F(ListBoxCommands, CountAndTextReadTheLiveControl) {
  EXPECT_EQ(cmd::ListBoxItemCount(List(u::kSingleList)), 3);
  EXPECT_EQ(cmd::ListBoxItemCount(List(u::kEmptyList)), 0);
  EXPECT_EQ(Text(cmd::ListBoxItemText(List(u::kSingleList), 0)), "甲");
  EXPECT_EQ(Text(cmd::ListBoxItemText(List(u::kSingleList), 2)), "丙");
  EXPECT_EQ(Text(cmd::ListBoxItemText(List(u::kSortedList), 0)), "b") << "the control's order, not the stored one";
  ::SendMessageA(Control(u::kSingleList), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("直接加的"));
  EXPECT_EQ(cmd::ListBoxItemCount(List(u::kSingleList)), 4);
  EXPECT_EQ(Text(cmd::ListBoxItemText(List(u::kSingleList), 3)), "直接加的");
}

TEST_F(ListBoxCommands, AnIndexOutsideTheEntriesGivesTheEmptyText) {
  for (std::int32_t index : {-1, 3, 4, 1000000, -1000000}) {
    const rt::Text text = cmd::ListBoxItemText(List(u::kSingleList), index);
    EXPECT_EQ(text.Get(), nullptr) << "index " << index << ": the empty text is null";
  }
  EXPECT_EQ(cmd::ListBoxItemText(List(u::kEmptyList), 0).Get(), nullptr);
  ::SendMessageA(Control(u::kEmptyList), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
  EXPECT_EQ(cmd::ListBoxItemText(List(u::kEmptyList), 0).Get(), nullptr) << "an empty entry reads as the empty text";
}

TEST_F(ListBoxCommands, AddingAppendsToAnUnsortedListWithItsItemData) {
  EXPECT_EQ(cmd::ListBoxAddItem(List(u::kSingleList), "丁", 77), 3);
  EXPECT_EQ(cmd::ListBoxAddItem(List(u::kSingleList), "戊"), 4);
  EXPECT_EQ(cmd::ListBoxItemCount(List(u::kSingleList)), 5);
  EXPECT_EQ(Text(cmd::ListBoxItemText(List(u::kSingleList), 3)), "丁");
  EXPECT_EQ(ItemData(u::kSingleList, 3), 77);
  EXPECT_EQ(ItemData(u::kSingleList, 4), 0) << "omitted item data is 0";
  EXPECT_EQ(cmd::ListBoxAddItem(List(u::kEmptyList), ""), 0) << "an empty text is an entry too";
}

TEST_F(ListBoxCommands, AddingToASortedListReturnsTheSortedPlace) {
  EXPECT_EQ(cmd::ListBoxAddItem(List(u::kSortedList), "c", 5), 1) << "between b and d, not at the end";
  EXPECT_EQ(cmd::ListBoxAddItem(List(u::kSortedList), "a", 6), 0);
  EXPECT_EQ(cmd::ListBoxAddItem(List(u::kSortedList), "z", 7), 5);
  std::vector<std::string> entries;
  for (int i = 0; i < cmd::ListBoxItemCount(List(u::kSortedList)); ++i) {
    entries.push_back(Text(cmd::ListBoxItemText(List(u::kSortedList), i)));
  }
  EXPECT_EQ(entries, (std::vector<std::string>{"a", "b", "c", "d", "f", "z"}));
  EXPECT_EQ(ItemData(u::kSortedList, 0), 6) << "the item data goes with the entry at its sorted place";
  EXPECT_EQ(ItemData(u::kSortedList, 2), 5);
  EXPECT_EQ(ItemData(u::kSortedList, 5), 7);
}

TEST_F(ListBoxCommands, EntriesAddedByCommandsGoWhenTheListIsRecreated) {
  cmd::ListBoxAddItem(List(u::kSingleList), "丁");
  ASSERT_EQ(cmd::ListBoxItemCount(List(u::kSingleList)), 4);
  WriteInt(w::kLists, u::kSingleList, PropertyIndex(list_box::kSorted), 1);
  EXPECT_EQ(cmd::ListBoxItemCount(List(u::kSingleList)), 3) << "rebuilt from the stored entries";
  EXPECT_GE(cmd::ListBoxAddItem(List(u::kSingleList), "丁"), 0) << "the commands find the new control";
  EXPECT_EQ(cmd::ListBoxItemCount(List(u::kSingleList)), 4);
}

TEST_F(ListBoxCommands, DeletingReportsWhetherTheEntryExisted) {
  EXPECT_TRUE(cmd::ListBoxDeleteItem(List(u::kSingleList), 1));
  EXPECT_EQ(cmd::ListBoxItemCount(List(u::kSingleList)), 2);
  EXPECT_EQ(Text(cmd::ListBoxItemText(List(u::kSingleList), 1)), "丙");
  EXPECT_FALSE(cmd::ListBoxDeleteItem(List(u::kSingleList), 2));
  EXPECT_FALSE(cmd::ListBoxDeleteItem(List(u::kSingleList), -1));
  EXPECT_FALSE(cmd::ListBoxDeleteItem(List(u::kEmptyList), 0));
  EXPECT_EQ(cmd::ListBoxItemCount(List(u::kSingleList)), 2);
  EXPECT_TRUE(cmd::ListBoxDeleteItem(List(u::kSingleList), 0));
  EXPECT_TRUE(cmd::ListBoxDeleteItem(List(u::kSingleList), 0));
  EXPECT_EQ(cmd::ListBoxItemCount(List(u::kSingleList)), 0);
}

TEST_F(ListBoxCommands, ASingleSelectionListReportsItsCurrentEntry) {
  EXPECT_TRUE(Elements(cmd::ListBoxSelectedItems(List(u::kSingleList))).empty()) << "no current entry";
  ClickEntry(u::kSingleList, 2);
  EXPECT_EQ(Elements(cmd::ListBoxSelectedItems(List(u::kSingleList))), (std::vector<std::int32_t>{2}));
  ClickEntry(u::kSingleList, 0);
  EXPECT_EQ(Elements(cmd::ListBoxSelectedItems(List(u::kSingleList))), (std::vector<std::int32_t>{0}));
  EXPECT_TRUE(Elements(cmd::ListBoxSelectedItems(List(u::kEmptyList))).empty());
}

TEST_F(ListBoxCommands, AnExtendedSelectionListReportsEverySelectedEntryInOrder) {
  ASSERT_TRUE(::GetWindowLongPtrA(Control(u::kExtendedList), GWL_STYLE) & LBS_EXTENDEDSEL);
  ClickEntry(u::kExtendedList, 3);
  ClickEntry(u::kExtendedList, 1, true);
  EXPECT_EQ(Elements(cmd::ListBoxSelectedItems(List(u::kExtendedList))), (std::vector<std::int32_t>{1, 3}))
      << "ascending, whatever the order of the clicks";
  ::SendMessageA(Control(u::kExtendedList), LB_SETSEL, FALSE, -1);
  EXPECT_TRUE(Elements(cmd::ListBoxSelectedItems(List(u::kExtendedList))).empty());
  ::SendMessageA(Control(u::kExtendedList), LB_SETSEL, TRUE, -1);
  EXPECT_EQ(Elements(cmd::ListBoxSelectedItems(List(u::kExtendedList))), (std::vector<std::int32_t>{0, 1, 2, 3}));
}

TEST_F(ListBoxCommands, SelectedItemsIsAOneDimensionalIntArrayBlock) {
  ClickEntry(u::kSingleList, 1);
  ValueRecord argument = ValueRecord::OfUnit(CoreUnitType(core_type::kListBox), w::kLists, u::kSingleList);
  ValueRecord result;
  kCoreCommands[core_command::kListBoxSelectedItems](&result, 1, &argument);
  EXPECT_EQ(result.type, type::kInt | type::kArrayBit);
  const ArrayView view{result.Pointer<void>()};
  ASSERT_NE(view.block, nullptr);
  EXPECT_EQ(view.Dimensions(), 1);
  EXPECT_EQ(view.DimensionSize(0), 1);
  EXPECT_EQ(ReadBlockWord(view.Elements()), 1);
  TheRuntime().Memory().Free(view.block);

  ValueRecord empty_argument = ValueRecord::OfUnit(CoreUnitType(core_type::kListBox), w::kLists, u::kEmptyList);
  ValueRecord empty;
  kCoreCommands[core_command::kListBoxSelectedItems](&empty, 1, &empty_argument);
  const ArrayView nothing{empty.Pointer<void>()};
  ASSERT_NE(nothing.block, nullptr) << "a block even when nothing is selected";
  EXPECT_EQ(nothing.Dimensions(), 1);
  EXPECT_EQ(nothing.DimensionSize(0), 0);
  TheRuntime().Memory().Free(nothing.block);
}

TEST_F(ListBoxCommands, AUnitThatIsNoListBoxGetsTheNeutralResults) {
  const rt::UnitRef label = RefOf(w::kLists, u::kListLabel, core_type::kLabel);
  EXPECT_EQ(cmd::ListBoxItemCount(label), 0);
  EXPECT_EQ(cmd::ListBoxItemText(label, 0).Get(), nullptr);
  EXPECT_EQ(cmd::ListBoxAddItem(label, "x"), -1);
  EXPECT_FALSE(cmd::ListBoxDeleteItem(label, 0));
  EXPECT_TRUE(Elements(cmd::ListBoxSelectedItems(label)).empty());
  char text[16] = {};
  ::GetWindowTextA(UnitWindow(w::kLists, u::kListLabel), text, sizeof text);
  EXPECT_STREQ(text, "标签") << "the label was not touched";
}

}  // namespace
}  // namespace quarrow::testing
