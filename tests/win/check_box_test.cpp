// CheckBox on a live window: clicks that toggle before Clicked runs, keys, Checked kept up to date, styles and
// colours.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/picture_files.h"
#include "tests/win/unit_test_support.h"
#include "units/check_box_properties.h"
#include "units/message_reflection.h"
#include "units/unit_properties.h"

namespace quarrow::testing {
namespace {

namespace w = unit_window;
namespace u = unit_id;
namespace t = unit_tag;
namespace c = check_box;
constexpr std::int32_t P(std::int32_t local) { return PropertyIndex(local); }

class CheckBoxUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseWindows();
    ASSERT_TRUE(LoadAndActivate(w::kChecks));
    check_ = UnitWindow(w::kChecks, u::kCheck);
    ASSERT_NE(check_, nullptr);
    HandlerCalls().clear();
  }
  void TearDown() override { CloseWindows(); }

  HWND check_ = nullptr;
};

TEST_F(CheckBoxUnit, IsAnAutomaticMultiLineCheckBoxStartingFromItsStoredState) {
  const LONG_PTR style = StyleOf(check_);
  EXPECT_EQ(style & 0xF, BS_AUTOCHECKBOX);
  EXPECT_TRUE(style & BS_MULTILINE);
  EXPECT_EQ(style & 0xF00, BS_LEFT | BS_VCENTER);
  EXPECT_EQ(::SendMessageA(check_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(::SendMessageA(UnitWindow(w::kChecks, u::kCheckedCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(ReadInt(w::kChecks, u::kCheckedCheck, P(c::kChecked)), 1);
}

TEST_F(CheckBoxUnit, AClickTogglesTheCheckBeforeClickedRuns) {
  ::SetFocus(UnitWindow(w::kChecks, u::kCheckedCheck));
  Pump(30);
  HandlerCalls().clear();
  std::vector<std::int32_t> seen;
  OnHandler(t::kCheckClicked, [&] { seen.push_back(ReadInt(w::kChecks, u::kCheck, P(c::kChecked))); });
  ClickCentre(check_);
  ASSERT_TRUE(PumpUntil([&] { return seen.size() == 1; }));
  ClickCentre(check_);
  ASSERT_TRUE(PumpUntil([&] { return seen.size() == 2; }));
  EXPECT_EQ(seen, (std::vector<std::int32_t>{1, 0}));
  EXPECT_EQ(CallsOf(t::kCheckGotFocus), 1);
}

TEST_F(CheckBoxUnit, TheSpaceBarAndTheMnemonicToggleAndRaiseClicked) {
  ASSERT_TRUE(FocusByClick(check_));
  HandlerCalls().clear();
  TapKey(VK_SPACE);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kCheckClicked) == 1; }));
  EXPECT_EQ(ReadInt(w::kChecks, u::kCheck, P(c::kChecked)), 0) << "the click toggled it on, Space off";

  ::SetFocus(UnitWindow(w::kChecks, u::kCheckedCheck));
  PressKey(VK_MENU, true);
  TapKey('K');
  PressKey(VK_MENU, false);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kCheckClicked) == 2; }));
  EXPECT_EQ(ReadInt(w::kChecks, u::kCheck, P(c::kChecked)), 1);
}

TEST_F(CheckBoxUnit, SettingCheckedRaisesNothingAndOnlyOneChecks) {
  WriteInt(w::kChecks, u::kCheck, P(c::kChecked), 1);
  EXPECT_EQ(::SendMessageA(check_, BM_GETCHECK, 0, 0), BST_CHECKED);
  WriteInt(w::kChecks, u::kCheck, P(c::kChecked), 0);
  EXPECT_EQ(::SendMessageA(check_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  ASSERT_TRUE(PumpPostedMessages());
  EXPECT_EQ(CallsOf(t::kCheckClicked), 0);
}

TEST_F(CheckBoxUnit, ReCreationKeepsTheCheckLastReadOrSet) {
  ClickCentre(check_);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kCheckClicked) == 1; }));
  EXPECT_EQ(ReadInt(w::kChecks, u::kCheck, P(c::kChecked)), 1);
  WriteBytes(w::kChecks, u::kCheck, P(c::kPicture), {0x42, 0x4D});  // re-creates; decodes to nothing
  HWND fresh = UnitWindow(w::kChecks, u::kCheck);
  ASSERT_NE(fresh, check_);
  EXPECT_EQ(::SendMessageA(fresh, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(WindowText(fresh), "选项(&K)") << "the caption shows";
  EXPECT_EQ(StyleOf(fresh) & (BS_BITMAP | BS_ICON), 0);
}

TEST_F(CheckBoxUnit, APictureBecomesABitmapOverTheBackColour) {
  // Left half transparent, right half red.
  IndexedImage image{8, 8, {}, {0x000000, 0xFF0000}};
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) image.indexes.push_back(x < 4 ? 0 : 1);
  }
  GifOptions options;
  options.min_code_size = 2;
  options.control = GifOptions::Control{0, true, 0, 0};
  const Bytes gif = WriteGif(image, options);
  WriteInt(w::kChecks, u::kCheck, P(c::kBackColor), 0x00FF00);
  WriteBytes(w::kChecks, u::kCheck, P(c::kPicture), std::vector<std::uint8_t>(gif.begin(), gif.end()));
  HWND fresh = UnitWindow(w::kChecks, u::kCheck);
  ASSERT_NE(fresh, check_);
  EXPECT_EQ(StyleOf(fresh) & (BS_BITMAP | BS_ICON), BS_BITMAP);
  EXPECT_EQ(StyleOf(fresh) & 0xF, BS_AUTOCHECKBOX);
  auto* bitmap = reinterpret_cast<HBITMAP>(::SendMessageA(fresh, BM_GETIMAGE, IMAGE_BITMAP, 0));
  ASSERT_NE(bitmap, nullptr);
  HDC memory = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  EXPECT_EQ(::GetPixel(memory, 1, 1), 0x00FF00u) << "the back colour behind the transparent half";
  EXPECT_EQ(::GetPixel(memory, 6, 6), RGB(0xFF, 0, 0));
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
}

TEST_F(CheckBoxUnit, StyleLogicalsAreOnOnlyForOneAndAlignmentsAreClamped) {
  const struct {
    std::int32_t local;
    LONG_PTR bit;
  } switches[] = {{c::kPushLike, BS_PUSHLIKE}, {c::kFlat, BS_FLAT}, {c::kBoxOnRight, BS_LEFTTEXT}};
  for (const auto& s : switches) {
    WriteInt(w::kChecks, u::kCheck, P(s.local), 1);
    EXPECT_TRUE(StyleOf(check_) & s.bit) << s.local;
    WriteInt(w::kChecks, u::kCheck, P(s.local), 0);
    EXPECT_FALSE(StyleOf(check_) & s.bit) << s.local;
  }
  WriteInt(w::kChecks, u::kCheck, P(c::kAlignment), 5);
  EXPECT_EQ(ReadInt(w::kChecks, u::kCheck, P(c::kAlignment)), 2);
  EXPECT_EQ(StyleOf(check_) & 0x300, BS_RIGHT);
  WriteInt(w::kChecks, u::kCheck, P(c::kVAlignment), -2);
  EXPECT_EQ(StyleOf(check_) & 0xC00, BS_TOP);
  EXPECT_EQ(StyleOf(check_) & 0xF, BS_AUTOCHECKBOX) << "the type bits stay";
}

TEST_F(CheckBoxUnit, ReflectedColoursAreTheUnitsWithButtonFaceByDefault) {
  HDC dc = ::GetDC(check_);
  auto colours = [&] {
    return reinterpret_cast<HBRUSH>(::SendMessageA(check_, kReflectBase + WM_CTLCOLORSTATIC,
                                                   reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(check_)));
  };
  LOGBRUSH seen = {};
  ::GetObjectA(colours(), sizeof seen, &seen);
  EXPECT_EQ(seen.lbColor, ::GetSysColor(COLOR_BTNFACE));
  WriteInt(w::kChecks, u::kCheck, P(c::kBackColor), 0x00FF00);
  WriteInt(w::kChecks, u::kCheck, P(c::kTextColor), 0x123456);
  ::GetObjectA(colours(), sizeof seen, &seen);
  EXPECT_EQ(seen.lbColor, 0x00FF00u);
  EXPECT_EQ(::GetTextColor(dc), 0x123456u);
  EXPECT_EQ(::GetBkColor(dc), 0x00FF00u);
  ::ReleaseDC(check_, dc);
}

}  // namespace
}  // namespace quarrow::testing
