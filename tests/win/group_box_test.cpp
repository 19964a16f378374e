// GroupBox on a live window: units inside it are its child windows and raise their events as on the window; its
// caption alignment and colours.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "tests/win/unit_test_support.h"
#include "units/edit_box_properties.h"
#include "units/group_box_properties.h"
#include "units/list_box_properties.h"
#include "units/message_reflection.h"
#include "units/unit_properties.h"

namespace quarrow::testing {
namespace {

namespace w = unit_window;
namespace u = unit_id;
namespace t = unit_tag;
namespace g = group_box;
constexpr std::int32_t P(std::int32_t local) { return PropertyIndex(local); }

class GroupBoxUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseWindows();
    ASSERT_TRUE(LoadAndActivate(w::kGroups));
    group_ = UnitWindow(w::kGroups, u::kGroup);
    ASSERT_NE(group_, nullptr);
    HandlerCalls().clear();
  }
  void TearDown() override { CloseWindows(); }

  HWND group_ = nullptr;
};

TEST_F(GroupBoxUnit, IsACaptionedGroupFrameHoldingItsUnits) {
  EXPECT_EQ(StyleOf(group_) & 0xF, BS_GROUPBOX);
  EXPECT_EQ(StyleOf(group_) & 0x300, BS_LEFT);
  EXPECT_EQ(WindowText(group_), "分组");
  for (std::uint32_t id : {u::kGroupButton, u::kGroupCheck, u::kGroupEdit, u::kGroupList}) {
    EXPECT_EQ(::GetParent(UnitWindow(w::kGroups, id)), group_) << std::hex << id;
  }
}

TEST_F(GroupBoxUnit, AButtonInsideRaisesClickedAsOnTheWindow) {
  ClickCentre(UnitWindow(w::kGroups, u::kGroupButton));
  EXPECT_TRUE(PumpUntil([] { return CallsOf(t::kGroupButtonClicked) == 1; }));
}

TEST_F(GroupBoxUnit, ACheckBoxInsideTogglesAndRaisesClicked) {
  HWND check = UnitWindow(w::kGroups, u::kGroupCheck);
  ClickCentre(check);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kGroupCheckClicked) == 1; }));
  EXPECT_EQ(::SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(GroupBoxUnit, AnEditBoxAndAListBoxInsideRaiseTheirEvents) {
  HWND edit = UnitWindow(w::kGroups, u::kGroupEdit);
  ASSERT_TRUE(FocusByClick(edit));
  TypeKeys("x");
  EXPECT_EQ(CallsOf(t::kGroupEditChanged), 1);
  WriteText(w::kGroups, u::kGroupEdit, P(edit_box::kText), "y");
  EXPECT_EQ(CallsOf(t::kGroupEditChanged), 2);

  HWND list = UnitWindow(w::kGroups, u::kGroupList);
  const auto height = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  ClickAt(list, 10, height + height / 2);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kGroupListSelectionChanged) == 1; }));
  EXPECT_EQ(ReadInt(w::kGroups, u::kGroupList, P(list_box::kSelection)), 1);
}

TEST_F(GroupBoxUnit, AnAdjusterInsideStandsInTheGroupAndRaisesAdjusterPressed) {
  HWND box = UnitWindow(w::kGroups, u::kGroupAdjusted);
  HWND adjuster = ::GetDlgItem(group_, ::GetDlgCtrlID(box) + 4);
  ASSERT_NE(adjuster, nullptr) << "beside the box, in the box's parent";
  RECT r;
  ::GetClientRect(adjuster, &r);
  ClickAt(adjuster, r.right / 2, r.bottom * 3 / 4);  // the lower arrow: a negative step
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kGroupAdjusterPressed) == 1; }));
  ASSERT_EQ(HandlerCalls().back().args.size(), 1u);
  EXPECT_EQ(static_cast<std::int32_t>(HandlerCalls().back().args[0]), -1);

  // Carried over with the box when the group box is re-created.
  forms::WindowRecord* window = Windows().Find(w::kGroups);
  ASSERT_NE(window, nullptr);
  Windows().RecreateUnit(*window, *window->IndexOf(u::kGroup));
  HWND fresh = UnitWindow(w::kGroups, u::kGroup);
  ASSERT_NE(fresh, group_);
  EXPECT_EQ(::GetParent(adjuster), fresh);
  ClickAt(adjuster, r.right / 2, r.bottom / 4);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kGroupAdjusterPressed) == 2; }));
  EXPECT_EQ(static_cast<std::int32_t>(HandlerCalls().back().args[0]), 1);
}

TEST_F(GroupBoxUnit, AChildsColourMessageIsAnsweredByTheChild) {
  HWND edit = UnitWindow(w::kGroups, u::kGroupEdit);
  WriteInt(w::kGroups, u::kGroupEdit, P(edit_box::kBackColor), 0x00FFFF);
  HDC dc = ::GetDC(edit);
  const auto brush = reinterpret_cast<HBRUSH>(
      ::SendMessageA(group_, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
  LOGBRUSH seen = {};
  ASSERT_EQ(::GetObjectA(brush, sizeof seen, &seen), static_cast<int>(sizeof seen));
  EXPECT_EQ(seen.lbColor, 0x00FFFFu);
  ::ReleaseDC(edit, dc);
}

TEST_F(GroupBoxUnit, CaptionAlignmentIsClampedAndColoursAreItsOwn) {
  WriteInt(w::kGroups, u::kGroup, P(g::kAlignment), 3);
  EXPECT_EQ(ReadInt(w::kGroups, u::kGroup, P(g::kAlignment)), 2);
  EXPECT_EQ(StyleOf(group_) & 0x300, BS_RIGHT);
  EXPECT_EQ(StyleOf(group_) & 0xF, BS_GROUPBOX);
  WriteInt(w::kGroups, u::kGroup, P(g::kAlignment), 1);
  EXPECT_EQ(StyleOf(group_) & 0x300, BS_CENTER);

  WriteInt(w::kGroups, u::kGroup, P(g::kBackColor), 0x0000FF);
  HDC dc = ::GetDC(group_);
  const auto brush = reinterpret_cast<HBRUSH>(::SendMessageA(group_, kReflectBase + WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(group_)));
  LOGBRUSH seen = {};
  ASSERT_EQ(::GetObjectA(brush, sizeof seen, &seen), static_cast<int>(sizeof seen));
  EXPECT_EQ(seen.lbColor, 0x0000FFu);
  // Erasing fills the client area with the brush.
  RECT client;
  ::GetClientRect(group_, &client);
  HDC memory = ::CreateCompatibleDC(dc);
  HBITMAP bitmap = ::CreateCompatibleBitmap(dc, client.right, client.bottom);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::SendMessageA(group_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
  EXPECT_EQ(::GetPixel(memory, client.right / 2, client.bottom - 2), 0x0000FFu);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(group_, dc);
  WriteText(w::kGroups, u::kGroup, P(g::kText), "新组");
  EXPECT_EQ(WindowText(group_), "新组");
}

TEST_F(GroupBoxUnit, ReCreationCarriesItsUnitsOverAndTheyStillRaiseTheirEvents) {
  WriteText(w::kGroups, u::kGroup, P(g::kText), "再建组");
  forms::WindowRecord* window = Windows().Find(w::kGroups);
  ASSERT_NE(window, nullptr);
  const std::optional<std::size_t> index = window->IndexOf(u::kGroup);
  ASSERT_TRUE(index.has_value());
  Windows().RecreateUnit(*window, *index);
  HWND fresh = UnitWindow(w::kGroups, u::kGroup);
  ASSERT_NE(fresh, group_);
  EXPECT_FALSE(::IsWindow(group_));
  EXPECT_EQ(WindowText(fresh), "再建组");
  HWND button = UnitWindow(w::kGroups, u::kGroupButton);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(::GetParent(button), fresh);
  ClickCentre(button);
  EXPECT_TRUE(PumpUntil([] { return CallsOf(t::kGroupButtonClicked) == 1; }));
}

TEST_F(GroupBoxUnit, ReCreationLeavesTheFocusWithTheUnitInsideThatHadIt) {
  HWND edit = UnitWindow(w::kGroups, u::kGroupEdit);
  ASSERT_TRUE(FocusByClick(edit));
  forms::WindowRecord* window = Windows().Find(w::kGroups);
  ASSERT_NE(window, nullptr);
  const std::optional<std::size_t> index = window->IndexOf(u::kGroup);
  ASSERT_TRUE(index.has_value());
  Windows().RecreateUnit(*window, *index);
  ASSERT_NE(UnitWindow(w::kGroups, u::kGroup), group_);
  EXPECT_EQ(::GetParent(edit), UnitWindow(w::kGroups, u::kGroup));
  EXPECT_EQ(::GetFocus(), edit) << "the box inside was carried over with the focus";
  HandlerCalls().clear();
  TypeKeys("z");
  EXPECT_EQ(CallsOf(t::kGroupEditChanged), 1);
}

}  // namespace
}  // namespace quarrow::testing
