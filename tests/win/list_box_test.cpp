// ListBox on a live window: entries and item data from the stored block, user selections and double clicks, the
// selection property, row spacing, and re-creation from the stored entries.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/unit_test_support.h"
#include "units/list_box_properties.h"
#include "units/text_list.h"
#include "units/unit_properties.h"

namespace quarrow::testing {
namespace {

namespace w = unit_window;
namespace u = unit_id;
namespace t = unit_tag;
namespace l = list_box;
constexpr std::int32_t P(std::int32_t local) { return PropertyIndex(local); }

std::vector<std::string> Entries(HWND list) {
  std::vector<std::string> entries;
  const auto count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    entries.emplace_back(text);
  }
  return entries;
}

class ListBoxUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseWindows();
    ASSERT_TRUE(LoadAndActivate(w::kLists));
    list_ = UnitWindow(w::kLists, u::kList);
    ASSERT_NE(list_, nullptr);
    HandlerCalls().clear();
  }
  void TearDown() override { CloseWindows(); }

  int EntryHeight() const { return static_cast<int>(::SendMessageA(list_, LB_GETITEMHEIGHT, 0, 0)); }
  // A point inside entry i.
  void ClickEntry(int i) { ClickAt(list_, 20, EntryHeight() * i + EntryHeight() / 2); }

  HWND list_ = nullptr;
};

TEST_F(ListBoxUnit, IsFilledFromItsStoredEntriesAndItemData) {
  char cls[32] = {};
  ::GetClassNameA(list_, cls, sizeof cls);
  EXPECT_STREQ(cls, "ListBox");
  const LONG_PTR style = StyleOf(list_);
  EXPECT_EQ(style & 0x181, 0x181);
  EXPECT_FALSE(style & (LBS_SORT | LBS_MULTICOLUMN | LBS_EXTENDEDSEL));
  EXPECT_EQ(Entries(list_), (std::vector<std::string>{"甲", "乙", "丙"}));
  EXPECT_EQ(::SendMessageA(list_, LB_GETITEMDATA, 0, 0), 7);
  EXPECT_EQ(::SendMessageA(list_, LB_GETITEMDATA, 1, 0), 0) << "entries beyond the item data get 0";
  EXPECT_EQ(::SendMessageA(list_, LB_GETITEMDATA, 2, 0), 0);
  EXPECT_EQ(ReadInt(w::kLists, u::kList, P(l::kSelection)), -1);
  EXPECT_EQ(ExStyleOf(list_) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
}

TEST_F(ListBoxUnit, AUserClickRaisesSelectionChangedAndADoubleClickThenDoubleClicked) {
  ::SetFocus(UnitWindow(w::kLists, u::kMultiList));
  ASSERT_TRUE(PumpPostedMessages());
  HandlerCalls().clear();
  ClickEntry(1);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kSelectionChanged) == 1; }));
  EXPECT_EQ(ReadInt(w::kLists, u::kList, P(l::kSelection)), 1);
  EXPECT_EQ(CallsOf(t::kListGotFocus), 1);

  Pump(::GetDoubleClickTime() + 50);  // the next clicks start a fresh double click
  HandlerCalls().clear();
  DoubleClickAt(list_, 20, EntryHeight() * 2 + EntryHeight() / 2);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kDoubleClicked) == 1; }));
  EXPECT_EQ(TagsCalled(), (std::vector<int>{t::kSelectionChanged, t::kDoubleClicked}));
  EXPECT_EQ(ReadInt(w::kLists, u::kList, P(l::kSelection)), 2);
}

TEST_F(ListBoxUnit, SettingSelectionIsClampedAndRaisesNothing) {
  WriteInt(w::kLists, u::kList, P(l::kSelection), 7);
  EXPECT_EQ(ReadInt(w::kLists, u::kList, P(l::kSelection)), 2);
  EXPECT_EQ(::SendMessageA(list_, LB_GETCURSEL, 0, 0), 2);
  WriteInt(w::kLists, u::kList, P(l::kSelection), -5);
  EXPECT_EQ(::SendMessageA(list_, LB_GETCURSEL, 0, 0), LB_ERR);
  ASSERT_TRUE(PumpPostedMessages());
  EXPECT_EQ(CallsOf(t::kSelectionChanged), 0);

  WriteBytes(w::kLists, u::kList, P(l::kItems), {});
  list_ = UnitWindow(w::kLists, u::kList);
  EXPECT_EQ(::SendMessageA(list_, LB_GETCOUNT, 0, 0), 0);
  WriteInt(w::kLists, u::kList, P(l::kSelection), 5);
  EXPECT_EQ(ReadInt(w::kLists, u::kList, P(l::kSelection)), -1) << "an empty list selects nothing";
  EXPECT_TRUE(ReadBytes(w::kLists, u::kList, P(l::kItems)).empty());
}

TEST_F(ListBoxUnit, EntriesAddedAtRunTimeVanishWhenSortedChanges) {
  ::SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("丁"));
  EXPECT_EQ(::SendMessageA(list_, LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(LoadTextList(ReadBytes(w::kLists, u::kList, P(l::kItems))),
            (TextList{"甲", "乙", "丙"})) << "Items shows the stored entries only";

  WriteInt(w::kLists, u::kList, P(l::kSorted), 0);
  EXPECT_EQ(UnitWindow(w::kLists, u::kList), list_) << "the same value re-creates nothing";
  EXPECT_EQ(::SendMessageA(list_, LB_GETCOUNT, 0, 0), 4);

  WriteInt(w::kLists, u::kList, P(l::kSorted), 1);
  HWND fresh = UnitWindow(w::kLists, u::kList);
  ASSERT_NE(fresh, list_);
  EXPECT_TRUE(StyleOf(fresh) & LBS_SORT);
  const std::vector<std::string> entries = Entries(fresh);
  EXPECT_EQ(entries.size(), 3u);
  EXPECT_EQ(std::count(entries.begin(), entries.end(), std::string("丁")), 0);
  EXPECT_EQ(entries, (std::vector<std::string>{"丙", "甲", "乙"})) << "in code page order";
  const auto at = ::SendMessageA(fresh, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("甲"));
  EXPECT_EQ(::SendMessageA(fresh, LB_GETITEMDATA, at, 0), 7) << "item data follows its entry";
}

TEST_F(ListBoxUnit, ItemsAndItemDataReplaceTheStoredListAndRecreate) {
  ByteWriter data;
  data.U32(11);
  data.U32(22);
  WriteBytes(w::kLists, u::kList, P(l::kItemData), data.Data());
  WriteBytes(w::kLists, u::kList, P(l::kItems), SaveTextList({"东", "南", "西", "北"}));
  HWND fresh = UnitWindow(w::kLists, u::kList);
  EXPECT_EQ(Entries(fresh), (std::vector<std::string>{"东", "南", "西", "北"}));
  EXPECT_EQ(::SendMessageA(fresh, LB_GETITEMDATA, 1, 0), 22);
  EXPECT_EQ(::SendMessageA(fresh, LB_GETITEMDATA, 3, 0), 0);
  EXPECT_EQ(ReadBytes(w::kLists, u::kList, P(l::kItemData)), data.Data());
  EXPECT_EQ(LoadTextList(ReadBytes(w::kLists, u::kList, P(l::kItems))), (TextList{"东", "南", "西", "北"}));
}

TEST_F(ListBoxUnit, RowSpacingIsAddedToTheFontsEntryHeight) {
  const int base = EntryHeight() - 1;  // stored spacing 1
  WriteInt(w::kLists, u::kList, P(l::kRowSpacing), -3);
  EXPECT_EQ(ReadInt(w::kLists, u::kList, P(l::kRowSpacing)), 0);
  EXPECT_EQ(EntryHeight(), base);
  WriteInt(w::kLists, u::kList, P(l::kRowSpacing), 6);
  EXPECT_EQ(EntryHeight(), base + 6);

  Windows().WriteProperty(w::kLists, u::kList, P(l::kFont), 5, 28);  // 28 points
  HDC dc = ::GetDC(list_);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(list_, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics = {};
  ::GetTextMetricsA(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(list_, dc);
  EXPECT_GT(metrics.tmHeight, base);
  EXPECT_EQ(EntryHeight(), metrics.tmHeight + 6) << "the spacing stays on top of the new font";
}

TEST_F(ListBoxUnit, MultiColumnTradesTheVerticalScrollBarForAHorizontalOne) {
  // Enough entries to scroll: the control shows a scroll bar (and has its style bit) only when it is needed.
  TextList many;
  for (int i = 0; i < 60; ++i) many.push_back("地址" + std::to_string(i));
  WriteBytes(w::kLists, u::kList, P(l::kItems), SaveTextList(many));
  HWND tall = UnitWindow(w::kLists, u::kList);
  EXPECT_EQ(StyleOf(tall) & (WS_VSCROLL | WS_HSCROLL | LBS_MULTICOLUMN), WS_VSCROLL);
  WriteInt(w::kLists, u::kList, P(l::kMultiColumn), 1);
  HWND wide = UnitWindow(w::kLists, u::kList);
  ASSERT_NE(wide, tall);
  EXPECT_EQ(StyleOf(wide) & (WS_VSCROLL | WS_HSCROLL | LBS_MULTICOLUMN), WS_HSCROLL | LBS_MULTICOLUMN);
  EXPECT_EQ(::SendMessageA(wide, LB_GETCOUNT, 0, 0), 60);
  WriteInt(w::kLists, u::kList, P(l::kMultiColumn), 1);
  EXPECT_EQ(UnitWindow(w::kLists, u::kList), wide) << "the same value re-creates nothing";
}

TEST_F(ListBoxUnit, AHiddenOrDisabledListStaysSoWhenRecreated) {
  WriteInt(w::kLists, u::kList, 5, 0);  // Visible
  WriteInt(w::kLists, u::kList, 6, 1);  // Disabled
  WriteInt(w::kLists, u::kList, P(l::kSorted), 1);
  HWND fresh = UnitWindow(w::kLists, u::kList);
  ASSERT_NE(fresh, list_);
  EXPECT_FALSE(StyleOf(fresh) & WS_VISIBLE);
  EXPECT_FALSE(::IsWindowEnabled(fresh));
  WriteInt(w::kLists, u::kList, 5, 1);
  WriteInt(w::kLists, u::kList, 6, 0);
  EXPECT_TRUE(::IsWindowVisible(fresh));
  EXPECT_TRUE(::IsWindowEnabled(fresh));
}

TEST_F(ListBoxUnit, OutOfRangeValuesFromTheBlockAreClampedAtCreation) {
  HWND odd = UnitWindow(w::kLists, u::kOddList);
  EXPECT_EQ(ReadInt(w::kLists, u::kOddList, P(l::kRowSpacing)), 0);
  EXPECT_EQ(::SendMessageA(odd, LB_GETITEMHEIGHT, 0, 0), EntryHeight() - 1) << "the font's height, nothing taken off";
  EXPECT_EQ(ReadInt(w::kLists, u::kOddList, P(l::kSelection)), 1) << "the last of two entries";
  WriteInt(w::kLists, u::kOddList, P(l::kRowSpacing), 3);
  EXPECT_EQ(::SendMessageA(odd, LB_GETITEMHEIGHT, 0, 0), EntryHeight() + 2);
}

TEST_F(ListBoxUnit, AMultiSelectionListReadsNoSingleSelection) {
  HWND multi = UnitWindow(w::kLists, u::kMultiList);
  EXPECT_TRUE(StyleOf(multi) & LBS_EXTENDEDSEL);
  EXPECT_EQ(ReadInt(w::kLists, u::kMultiList, P(l::kSelection)), -1);
  ClickAt(multi, 20, 5);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kMultiSelectionChanged) >= 1; }));
  EXPECT_EQ(ReadInt(w::kLists, u::kMultiList, P(l::kSelection)), -1);
  EXPECT_GT(::SendMessageA(multi, LB_GETSEL, 0, 0), 0);
}

TEST_F(ListBoxUnit, BorderIsClampedAndTheFocusEventsComeFromTheControl) {
  WriteInt(w::kLists, u::kList, P(l::kBorder), 9);
  EXPECT_EQ(ReadInt(w::kLists, u::kList, P(l::kBorder)), 5);
  EXPECT_TRUE(StyleOf(list_) & WS_BORDER);
  EXPECT_FALSE(ExStyleOf(list_) & WS_EX_CLIENTEDGE);

  ::SetFocus(UnitWindow(w::kLists, u::kMultiList));
  ASSERT_TRUE(PumpPostedMessages());
  HandlerCalls().clear();
  ::SetFocus(list_);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kListGotFocus) >= 1; }));
  ::SetFocus(UnitWindow(w::kLists, u::kMultiList));
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kListLostFocus) >= 1; }));
  ASSERT_TRUE(PumpPostedMessages());
  EXPECT_EQ(TagsCalled(), (std::vector<int>{t::kListGotFocus, t::kListLostFocus}));
}

}  // namespace
}  // namespace quarrow::testing
