// EditBox on a live window: typed keys through every input mode and a real focus change, Changed, the adjusters,
// the single-line frame and minimum height, selection properties, password mode and re-creation.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/win/unit_test_support.h"
#include "commands/core_unit_types.h"
#include "units/edit_box.h"
#include "units/edit_box_properties.h"
#include "units/message_reflection.h"
#include "base/unit_interface.h"
#include "units/unit_properties.h"

namespace quarrow::testing {
namespace {

namespace w = unit_window;
namespace u = unit_id;
namespace t = unit_tag;
namespace e = edit_box;
constexpr std::int32_t P(std::int32_t local) { return PropertyIndex(local); }

class EditBoxUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseWindows();
    ASSERT_TRUE(LoadAndActivate(w::kEdits));
    box_ = UnitWindow(w::kEdits, u::kEdit);
    other_ = UnitWindow(w::kEdits, u::kOtherEdit);
    ASSERT_NE(box_, nullptr);
    ASSERT_NE(other_, nullptr);
    HandlerCalls().clear();
  }
  void TearDown() override { CloseWindows(); }

  // Types into the box with real keys after giving it the focus by a click, then moves the focus away with a
  // click on the other box. Returns the text the keys left.
  std::string TypeThenLeave(const std::string& keys) {
    EXPECT_TRUE(FocusByClick(box_));
    EXPECT_TRUE(TypeKeys(keys)) << "a key for every character of " << keys;
    const std::string typed = WindowText(box_);
    EXPECT_TRUE(FocusByClick(other_));
    return typed;
  }

  static HWND AdjusterOf(HWND box) { return ::GetDlgItem(::GetParent(box), ::GetDlgCtrlID(box) + 4); }

  HWND box_ = nullptr;
  HWND other_ = nullptr;
};

TEST_F(EditBoxUnit, ASingleLineBoxIsAnEditControlWithASunkenBorder) {
  char cls[32] = {};
  ::GetClassNameA(box_, cls, sizeof cls);
  EXPECT_STREQ(cls, "Edit");
  const LONG_PTR style = StyleOf(box_);
  EXPECT_TRUE(style & ES_AUTOHSCROLL);
  EXPECT_FALSE(style & ES_MULTILINE);
  EXPECT_EQ(style & (WS_CHILD | WS_CLIPSIBLINGS), WS_CHILD | WS_CLIPSIBLINGS);
  EXPECT_EQ(ExStyleOf(box_) & 0x20201, WS_EX_CLIENTEDGE) << "Border 1 by default";
  const LONG_PTR multi = StyleOf(UnitWindow(w::kEdits, u::kMultiEdit));
  EXPECT_EQ(multi & 0x1044, 0x1044);
  EXPECT_TRUE(multi & WS_VSCROLL);
  EXPECT_FALSE(multi & WS_HSCROLL);
}

struct ModeCase {
  std::int32_t mode;
  const char* keys;
  const char* typed;  // what the filter lets into the box
  const char* left;   // after the focus went away
};

TEST_F(EditBoxUnit, EveryInputModeFiltersTypedKeysAndNormalisesWhenTheFocusGoes) {
  const ModeCase cases[] = {
      {e::kModeNormal, "a-1.5", "a-1.5", "a-1.5"},
      {e::kModeIntegerText, "a--12", "--12", "--12"},
      {e::kModeDecimalText, "x1.5-", "1.5-", "1.5-"},
      {e::kModeByte, "300", "300", "255"},
      {e::kModeByte, "-5", "5", "5"},
      {e::kModeByte, "12abc", "12", "12"},
      {e::kModeByte, "0", "0", ""},
      {e::kModeShort, "40000", "40000", "32767"},
      {e::kModeShort, "-40000", "-40000", "-32768"},
      {e::kModeInt, "3000000000", "3000000000", "2147483647"},
      {e::kModeLong, "-3000000000x", "-3000000000", "-3000000000"},
      {e::kModeFloat, "3.14159265", "3.14159265", "3.14159"},
      {e::kModeDouble, "2.50e", "2.50", "2.5"},
      {e::kModeDateTime, "2024-2-30", "2024-2-30", ""},
      {e::kModeDateTime, "2024-5-3 8:05", "2024-5-3 8:05", "2024年5月3日8时5分"},
  };
  for (const ModeCase& c : cases) {
    WriteInt(w::kEdits, u::kEdit, P(e::kInputMode), c.mode);
    WriteText(w::kEdits, u::kEdit, P(e::kText), "");
    EXPECT_EQ(TypeThenLeave(c.keys), c.typed) << "mode " << c.mode << " typing " << c.keys;
    EXPECT_EQ(WindowText(box_), c.left) << "mode " << c.mode << " typing " << c.keys;
    EXPECT_EQ(ReadText(w::kEdits, u::kEdit, P(e::kText)), c.left);
  }
}

TEST_F(EditBoxUnit, ATextThatCannotBeTypedIsNormalisedToo) {
  WriteInt(w::kEdits, u::kEdit, P(e::kInputMode), e::kModeByte);
  WriteText(w::kEdits, u::kEdit, P(e::kText), "-5");
  ASSERT_TRUE(FocusByClick(box_));
  ASSERT_TRUE(FocusByClick(other_));
  EXPECT_EQ(WindowText(box_), "") << "-5 is 0, which shows as nothing";
}

TEST_F(EditBoxUnit, TheLostFocusEventComesAfterNormalisationWhichRaisesChanged) {
  WriteInt(w::kEdits, u::kEdit, P(e::kInputMode), e::kModeShort);
  WriteText(w::kEdits, u::kEdit, P(e::kText), "");
  std::string seen;
  OnHandler(t::kEditLostFocus, [&] { seen = ReadText(w::kEdits, u::kEdit, P(e::kText)); });
  ASSERT_TRUE(FocusByClick(other_));
  HandlerCalls().clear();
  ASSERT_TRUE(FocusByClick(box_));
  EXPECT_EQ(CallsOf(t::kEditGotFocus), 1);
  TypeKeys("99999");
  HandlerCalls().clear();
  ASSERT_TRUE(FocusByClick(other_));
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kEditLostFocus) == 1; }));
  EXPECT_EQ(seen, "32767");
  EXPECT_EQ(TagsCalled(), (std::vector<int>{t::kEditChanged, t::kEditLostFocus}));

  // Text that needs no change raises nothing but the focus event.
  ASSERT_TRUE(FocusByClick(box_));
  HandlerCalls().clear();
  ASSERT_TRUE(FocusByClick(other_));
  EXPECT_EQ(TagsCalled(), (std::vector<int>{t::kEditLostFocus}));
}

TEST_F(EditBoxUnit, SettingTextRaisesChangedExactlyOnceAndTypingOncePerKey) {
  WriteText(w::kEdits, u::kEdit, P(e::kText), "新的");
  EXPECT_EQ(CallsOf(t::kEditChanged), 1);
  EXPECT_EQ(WindowText(box_), "新的");
  WriteText(w::kEdits, u::kEdit, P(e::kText), "新的");
  EXPECT_EQ(CallsOf(t::kEditChanged), 2) << "also when the text stays the same";
  WriteText(w::kEdits, u::kMultiEdit, P(e::kText), "多\r\n行");
  EXPECT_EQ(CallsOf(t::kMultiChanged), 1);

  HandlerCalls().clear();
  ASSERT_TRUE(FocusByClick(box_));
  TypeKeys("ab");
  EXPECT_EQ(CallsOf(t::kEditChanged), 2);
}

TEST_F(EditBoxUnit, TheAutomaticAdjusterStepsTheNumberAndWrapsAround) {
  HWND box = UnitWindow(w::kEdits, u::kAutoEdit);
  HWND adjuster = AdjusterOf(box);
  ASSERT_NE(adjuster, nullptr);
  char cls[32] = {};
  ::GetClassNameA(adjuster, cls, sizeof cls);
  EXPECT_STREQ(cls, "msctls_updown32");
  EXPECT_EQ(WindowText(box), "100");
  RECT r;
  ::GetClientRect(adjuster, &r);

  ClickAt(adjuster, r.right / 2, r.bottom / 4);  // the upper arrow: a positive step
  ASSERT_TRUE(PumpUntil([&] { return WindowText(box) == "0"; })) << WindowText(box);
  EXPECT_GE(CallsOf(t::kAutoChanged), 1);
  EXPECT_EQ(::GetFocus(), box) << "the box takes the focus";
  EXPECT_EQ(ReadInt(w::kEdits, u::kAutoEdit, P(e::kSelLength)), 1) << "the whole text is selected";

  ClickAt(adjuster, r.right / 2, r.bottom * 3 / 4);  // the lower arrow: a negative step
  ASSERT_TRUE(PumpUntil([&] { return WindowText(box) == "100"; })) << WindowText(box);
  ClickAt(adjuster, r.right / 2, r.bottom * 3 / 4);
  ASSERT_TRUE(PumpUntil([&] { return WindowText(box) == "99"; })) << WindowText(box);
}

TEST_F(EditBoxUnit, TheManualAdjusterRaisesAdjusterPressedAndLeavesTheText) {
  HWND box = UnitWindow(w::kEdits, u::kManualEdit);
  WriteText(w::kEdits, u::kManualEdit, P(e::kText), "7");
  HWND adjuster = AdjusterOf(box);
  ASSERT_NE(adjuster, nullptr);
  RECT r;
  ::GetClientRect(adjuster, &r);
  ClickAt(adjuster, r.right / 2, r.bottom / 4);
  ClickAt(adjuster, r.right / 2, r.bottom * 3 / 4);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kAdjusterPressed) == 2; }));
  std::vector<std::int32_t> steps;
  for (const HandlerCall& call : HandlerCalls()) {
    if (call.tag == t::kAdjusterPressed) {
      ASSERT_EQ(call.args.size(), 1u);
      steps.push_back(static_cast<std::int32_t>(call.args[0]));
    }
  }
  EXPECT_EQ(steps, (std::vector<std::int32_t>{1, -1}));
  EXPECT_EQ(WindowText(box), "7");
}

TEST_F(EditBoxUnit, TheAdjusterFollowsTheBoxInPlaceVisibilityAndEnabledState) {
  HWND box = UnitWindow(w::kEdits, u::kAutoEdit);
  HWND adjuster = AdjusterOf(box);
  ASSERT_NE(adjuster, nullptr);
  auto expect_beside = [&] {
    RECT b, a;
    ::GetWindowRect(box, &b);
    ::GetWindowRect(adjuster, &a);
    EXPECT_EQ(a.left, b.right);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.bottom, b.bottom);
    EXPECT_EQ(a.right - a.left, 18);
  };
  expect_beside();
  EXPECT_TRUE(::IsWindowVisible(adjuster));
  EXPECT_EQ(::GetWindow(box, GW_HWNDNEXT), adjuster) << "right behind the box in z-order";

  WriteInt(w::kEdits, u::kAutoEdit, 0, 200);  // Left
  WriteInt(w::kEdits, u::kAutoEdit, 3, 40);   // Height
  expect_beside();
  WriteInt(w::kEdits, u::kAutoEdit, 6, 1);  // Disabled
  EXPECT_FALSE(::IsWindowEnabled(adjuster));
  WriteInt(w::kEdits, u::kAutoEdit, 6, 0);
  EXPECT_TRUE(::IsWindowEnabled(adjuster));
  WriteInt(w::kEdits, u::kAutoEdit, 5, 0);  // Visible
  EXPECT_FALSE(::IsWindowVisible(adjuster));
  WriteInt(w::kEdits, u::kAutoEdit, 5, 1);
  EXPECT_TRUE(::IsWindowVisible(adjuster));

  // Re-creation builds a new adjuster, disabled with a box that is; the old one goes with the old box.
  WriteInt(w::kEdits, u::kAutoEdit, 6, 1);  // Disabled
  WriteInt(w::kEdits, u::kAutoEdit, P(e::kAlignment), 2);
  HWND fresh = UnitWindow(w::kEdits, u::kAutoEdit);
  ASSERT_NE(fresh, box);
  EXPECT_FALSE(::IsWindow(adjuster));
  ASSERT_NE(AdjusterOf(fresh), nullptr);
  EXPECT_TRUE(StyleOf(fresh) & ES_RIGHT);
  EXPECT_FALSE(::IsWindowEnabled(fresh));
  EXPECT_FALSE(::IsWindowEnabled(AdjusterOf(fresh)));
  EXPECT_TRUE(::IsWindowVisible(AdjusterOf(fresh)));
}

TEST_F(EditBoxUnit, AFivePixelSingleLineBoxGrowsToItsTextHeightPlusTheEdges) {
  HWND low = UnitWindow(w::kEdits, u::kLowEdit);
  HDC dc = ::GetDC(low);
  HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
  SIZE text = {};
  ::GetTextExtentPoint32A(dc, "吴", 2, &text);
  ::SelectObject(dc, old);
  ::ReleaseDC(low, dc);
  RECT r;
  ::GetWindowRect(low, &r);
  EXPECT_EQ(r.bottom - r.top, text.cy + 2 * ::GetSystemMetrics(SM_CYEDGE));
  EXPECT_EQ(r.right - r.left, 150) << "the width is kept";

  WriteInt(w::kEdits, u::kLowEdit, 3, 6);  // Height: not corrected until the font is set again
  ::GetWindowRect(low, &r);
  EXPECT_EQ(r.bottom - r.top, 6);
  Windows().WriteProperty(w::kEdits, u::kLowEdit, P(e::kFont), 1, 0);  // any font write
  ::GetWindowRect(low, &r);
  EXPECT_EQ(r.bottom - r.top, text.cy + 2 * ::GetSystemMetrics(SM_CYEDGE));
}

TEST_F(EditBoxUnit, TheSingleLineClientAreaIsOneLineHighCentredWithTheRestABorder) {
  WriteInt(w::kEdits, u::kEdit, 3, 40);  // Height
  HDC dc = ::GetDC(box_);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(box_, WM_GETFONT, 0, 0)));
  SIZE w_size = {};
  ::GetTextExtentPoint32A(dc, "W", 1, &w_size);
  ::SelectObject(dc, old);
  ::ReleaseDC(box_, dc);

  RECT client, window;
  ::GetClientRect(box_, &client);
  EXPECT_EQ(client.bottom, w_size.cy);
  ::MapWindowPoints(box_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  ::GetWindowRect(box_, &window);
  const int above = client.top - window.top;
  const int below = window.bottom - client.bottom;
  EXPECT_LE(std::abs(above - below), 1) << above << " above, " << below << " below";
  const LPARAM in_band = MAKELPARAM((window.left + window.right) / 2, window.top + above / 2);
  EXPECT_EQ(::SendMessageA(box_, WM_NCHITTEST, 0, in_band), HTBORDER);
  const LPARAM inside = MAKELPARAM((window.left + window.right) / 2, (client.top + client.bottom) / 2);
  EXPECT_EQ(::SendMessageA(box_, WM_NCHITTEST, 0, inside), HTCLIENT);
}

TEST_F(EditBoxUnit, TheBandAroundTheCentredLineIsPaintedInTheBackColour) {
  WriteInt(w::kEdits, u::kEdit, 3, 30);  // Height, up to the box below
  WriteInt(w::kEdits, u::kEdit, P(e::kBackColor), 0x0000FF);
  ::RedrawWindow(box_, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump(100);
  RECT window, client;
  ::GetWindowRect(box_, &window);
  ::GetClientRect(box_, &client);
  ::MapWindowPoints(box_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const int edge = ::GetSystemMetrics(SM_CYEDGE);
  ASSERT_GT(client.top - window.top, edge + 2) << "a band between the border and the line";
  HDC dc = ::GetWindowDC(box_);
  const int x = (window.right - window.left) / 2;
  EXPECT_EQ(::GetPixel(dc, x, edge + 1), 0x0000FFu) << "the band above the line";
  EXPECT_EQ(::GetPixel(dc, x, window.bottom - window.top - edge - 2), 0x0000FFu) << "the band below";
  EXPECT_NE(::GetPixel(dc, x, 0), 0x0000FFu) << "the border stays the system's";
  ::ReleaseDC(box_, dc);
}

TEST_F(EditBoxUnit, ReflectedControlColoursUseTheUnitsColoursAndButtonFace) {
  WriteInt(w::kEdits, u::kEdit, P(e::kTextColor), 0x0000FF);
  WriteInt(w::kEdits, u::kEdit, P(e::kBackColor), static_cast<std::int32_t>(0xFF000000));
  HDC dc = ::GetDC(box_);
  const auto brush = reinterpret_cast<HBRUSH>(
      ::SendMessageA(box_, kReflectBase + WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box_)));
  ASSERT_NE(brush, nullptr);
  LOGBRUSH seen = {};
  ::GetObjectA(brush, sizeof seen, &seen);
  EXPECT_EQ(seen.lbColor, ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(::GetTextColor(dc), 0x0000FFu);
  EXPECT_EQ(::GetBkColor(dc), ::GetSysColor(COLOR_BTNFACE));
  ::ReleaseDC(box_, dc);
  EXPECT_EQ(static_cast<std::uint32_t>(ReadInt(w::kEdits, u::kEdit, P(e::kBackColor))), 0xFF000000u);
}

TEST_F(EditBoxUnit, BordersZeroToFiveSetTheirStyles) {
  const std::pair<LONG_PTR, LONG_PTR> expected[] = {
      {0, 0}, {WS_EX_CLIENTEDGE, 0}, {WS_EX_DLGMODALFRAME, 0}, {WS_EX_STATICEDGE, 0},
      {WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, 0}, {0, WS_BORDER}, {0, 0}};
  for (std::int32_t border = 0; border <= 6; ++border) {
    WriteInt(w::kEdits, u::kEdit, P(e::kBorder), border);
    EXPECT_EQ(ExStyleOf(box_) & 0x20201, expected[border].first) << border;
    EXPECT_EQ(StyleOf(box_) & WS_BORDER, expected[border].second) << border;
  }
  HWND adjuster = AdjusterOf(UnitWindow(w::kEdits, u::kAutoEdit));
  WriteInt(w::kEdits, u::kAutoEdit, P(e::kBorder), 2);
  EXPECT_FALSE(ExStyleOf(adjuster) & WS_EX_STATICEDGE);
  WriteInt(w::kEdits, u::kAutoEdit, P(e::kBorder), 3);
  EXPECT_TRUE(ExStyleOf(adjuster) & WS_EX_STATICEDGE);
}

TEST_F(EditBoxUnit, SelectionPropertiesReadAndMoveTheLiveSelection) {
  WriteText(w::kEdits, u::kEdit, P(e::kText), "abcdef");
  WriteInt(w::kEdits, u::kEdit, P(e::kSelLength), -1);
  EXPECT_EQ(ReadInt(w::kEdits, u::kEdit, P(e::kSelStart)), 0);
  EXPECT_EQ(ReadInt(w::kEdits, u::kEdit, P(e::kSelLength)), 6);
  EXPECT_EQ(ReadText(w::kEdits, u::kEdit, P(e::kSelText)), "abcdef");
  WriteInt(w::kEdits, u::kEdit, P(e::kSelStart), -1);
  EXPECT_EQ(ReadInt(w::kEdits, u::kEdit, P(e::kSelStart)), 6);
  EXPECT_EQ(ReadInt(w::kEdits, u::kEdit, P(e::kSelLength)), 0);
  WriteInt(w::kEdits, u::kEdit, P(e::kSelStart), 1);
  WriteInt(w::kEdits, u::kEdit, P(e::kSelLength), 3);
  EXPECT_EQ(ReadText(w::kEdits, u::kEdit, P(e::kSelText)), "bcd");
  WriteText(w::kEdits, u::kEdit, P(e::kSelText), "中文");
  EXPECT_EQ(WindowText(box_), "a中文ef");
  WriteInt(w::kEdits, u::kEdit, P(e::kSelStart), 1);
  WriteInt(w::kEdits, u::kEdit, P(e::kSelLength), 2);
  EXPECT_EQ(ReadText(w::kEdits, u::kEdit, P(e::kSelText)), "中文") << "double-byte characters select whole";
  WriteInt(w::kEdits, u::kEdit, P(e::kSelStart), -1);
  EXPECT_EQ(ReadInt(w::kEdits, u::kEdit, P(e::kSelStart)), 5) << "after the last of five characters";
  WriteInt(w::kEdits, u::kEdit, P(e::kSelStart), -7);
  EXPECT_EQ(ReadInt(w::kEdits, u::kEdit, P(e::kSelStart)), 0);
}

TEST_F(EditBoxUnit, PasswordModeAndItsCharacter) {
  WriteInt(w::kEdits, u::kEdit, P(e::kInputMode), e::kModePassword);
  EXPECT_EQ(::SendMessageA(box_, EM_GETPASSWORDCHAR, 0, 0), '*');
  WriteText(w::kEdits, u::kEdit, P(e::kPasswordChar), "#!");
  EXPECT_EQ(::SendMessageA(box_, EM_GETPASSWORDCHAR, 0, 0), '#');
  EXPECT_EQ(ReadText(w::kEdits, u::kEdit, P(e::kPasswordChar)), "#");
  WriteInt(w::kEdits, u::kEdit, P(e::kInputMode), e::kModeReadOnly);
  EXPECT_EQ(::SendMessageA(box_, EM_GETPASSWORDCHAR, 0, 0), 0);
  EXPECT_TRUE(StyleOf(box_) & ES_READONLY);
  WriteInt(w::kEdits, u::kEdit, P(e::kInputMode), 40);
  EXPECT_EQ(ReadInt(w::kEdits, u::kEdit, P(e::kInputMode)), e::kModeDateTime);
  EXPECT_FALSE(StyleOf(box_) & ES_READONLY);
}

TEST_F(EditBoxUnit, SettingMultiLineToItsValueDoesNotRecreateAndChangingItDoes) {
  UnitObject* before = UnitObjectOf(w::kEdits, u::kEdit);
  WriteInt(w::kEdits, u::kEdit, P(e::kMultiLine), 0);
  EXPECT_EQ(UnitObjectOf(w::kEdits, u::kEdit), before);
  EXPECT_EQ(UnitWindow(w::kEdits, u::kEdit), box_);

  WriteText(w::kEdits, u::kEdit, P(e::kText), "保留");
  WriteInt(w::kEdits, u::kEdit, P(e::kMaxLength), -3);
  EXPECT_EQ(ReadInt(w::kEdits, u::kEdit, P(e::kMaxLength)), 0);
  WriteInt(w::kEdits, u::kEdit, P(e::kMultiLine), 1);
  HWND fresh = UnitWindow(w::kEdits, u::kEdit);
  ASSERT_NE(fresh, box_);
  EXPECT_TRUE(StyleOf(fresh) & ES_MULTILINE);
  EXPECT_EQ(WindowText(fresh), "保留");
  EXPECT_EQ(ReadInt(w::kEdits, u::kEdit, P(e::kMultiLine)), 1);
}

TEST_F(EditBoxUnit, EnterBreaksTheLineInAMultiLineBoxUnlessItIsReadOnly) {
  const UnitTypeEntry& type = kCoreUnitTypes[core_type::kEditBox - 1];
  const auto wants = UnitTypeOperation<WantsKeyOperation>(type.unit_interface, unit_operation::kWantsKey);
  ASSERT_NE(wants, nullptr);
  UnitObject* multi = UnitObjectOf(w::kEdits, u::kMultiEdit);
  EXPECT_TRUE(wants(multi, VK_RETURN));
  EXPECT_FALSE(wants(multi, VK_TAB));
  EXPECT_FALSE(wants(UnitObjectOf(w::kEdits, u::kEdit), VK_RETURN));

  HWND box = UnitWindow(w::kEdits, u::kMultiEdit);
  ASSERT_TRUE(FocusByClick(box));
  TypeKeys("a");
  TapKey(VK_RETURN);
  TypeKeys("b");
  EXPECT_EQ(WindowText(box), "a\r\nb");
  WriteInt(w::kEdits, u::kMultiEdit, P(e::kInputMode), e::kModeReadOnly);
  EXPECT_FALSE(wants(multi, VK_RETURN));
}

TEST_F(EditBoxUnit, ReCreationRestoresTextAsLastReadAndTheStoredSelection) {
  ASSERT_TRUE(FocusByClick(box_));
  TypeKeys("hello");
  EXPECT_EQ(ReadText(w::kEdits, u::kEdit, P(e::kText)), "hello");
  WriteInt(w::kEdits, u::kEdit, P(e::kSelStart), 1);
  WriteInt(w::kEdits, u::kEdit, P(e::kSelLength), 2);
  WriteInt(w::kEdits, u::kEdit, P(e::kLetterCase), 1);
  HWND fresh = UnitWindow(w::kEdits, u::kEdit);
  ASSERT_NE(fresh, box_);
  EXPECT_TRUE(StyleOf(fresh) & ES_LOWERCASE);
  EXPECT_EQ(WindowText(fresh), "hello");
  EXPECT_EQ(::GetFocus(), fresh) << "the focus moves to the new box";
  DWORD start = 0, end = 0;
  ::SendMessageA(fresh, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 3u);
  WriteInt(w::kEdits, u::kEdit, P(e::kLetterCase), -7);
  EXPECT_EQ(ReadInt(w::kEdits, u::kEdit, P(e::kLetterCase)), 0);
  fresh = UnitWindow(w::kEdits, u::kEdit);
  WriteInt(w::kEdits, u::kEdit, P(e::kLetterCase), -1);
  EXPECT_EQ(UnitWindow(w::kEdits, u::kEdit), fresh) << "clamped to the value it has: no re-creation";
}

}  // namespace
}  // namespace quarrow::testing
