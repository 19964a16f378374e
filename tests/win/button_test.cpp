// Button on a live window: clicks, the default button, styles, pictures that do not decode, fonts, re-creation,
// and what every unit gets from the unit base (destruction, unknown properties, rejected blocks).
#include <gtest/gtest.h>

#include <cstring>

#include "commands/core_library.h"
#include "runtime/runtime.h"
#include "tests/support/picture_files.h"
#include "tests/win/unit_test_support.h"
#include "units/button.h"
#include "units/button_properties.h"
#include "commands/core_unit_types.h"
#include "base/unit_interface.h"
#include "units/unit_properties.h"

namespace quarrow::testing {
namespace {

namespace w = unit_window;
namespace u = unit_id;
namespace t = unit_tag;
constexpr std::int32_t kPicture = PropertyIndex(button::kPicture);
constexpr std::int32_t kButtonType = PropertyIndex(button::kButtonType);
constexpr std::int32_t kText = PropertyIndex(button::kText);
constexpr std::int32_t kAlignment = PropertyIndex(button::kAlignment);
constexpr std::int32_t kVAlignment = PropertyIndex(button::kVAlignment);
constexpr std::int32_t kFont = PropertyIndex(button::kFont);

std::vector<std::uint8_t> FontBytes(LONG height, const char* face, std::size_t size = sizeof(LOGFONTA)) {
  LOGFONTA font = {};
  font.lfHeight = height;
  font.lfWeight = FW_BOLD;
  font.lfCharSet = GB2312_CHARSET;
  std::strcpy(font.lfFaceName, face);
  std::vector<std::uint8_t> bytes(size, 0);
  std::memcpy(bytes.data(), &font, std::min(size, sizeof font));
  return bytes;
}

HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0)); }

class ButtonUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseWindows();
    HandlerCalls().clear();
    ASSERT_TRUE(LoadAndActivate(w::kButtons));
    button_ = UnitWindow(w::kButtons, u::kButton);
    ASSERT_NE(button_, nullptr);
  }
  void TearDown() override { CloseWindows(); }

  HWND button_ = nullptr;
};

TEST_F(ButtonUnit, IsAMultiLineChildPushButtonWithTheEngineStyle) {
  char cls[32] = {};
  ::GetClassNameA(button_, cls, sizeof cls);
  EXPECT_STREQ(cls, "Button");
  const LONG_PTR style = StyleOf(button_);
  EXPECT_EQ(style & (WS_CHILD | WS_CLIPSIBLINGS | BS_MULTILINE), WS_CHILD | WS_CLIPSIBLINGS | BS_MULTILINE);
  EXPECT_TRUE(style & WS_TABSTOP) << "the record asks for a tab stop";
  EXPECT_EQ(style & 0xF, BS_PUSHBUTTON);
  EXPECT_EQ(style & 0xF00, BS_CENTER | BS_VCENTER) << "default alignments: centre, centre";
  EXPECT_EQ(WindowText(button_), "普通");
  EXPECT_EQ(::GetDlgCtrlID(button_), 120) << "the last record gets 100";
  EXPECT_EQ(FontOf(button_), ::GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(ButtonUnit, AClickRaisesClickedAndTheFocusEventsFollowTheFocus) {
  ClickCentre(button_);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kButtonClicked) == 1; }));
  EXPECT_EQ(::GetFocus(), button_);
  EXPECT_EQ(CallsOf(t::kButtonGotFocus), 1);

  ClickCentre(UnitWindow(w::kButtons, u::kDefaultButton));
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kDefaultClicked) == 1; }));
  EXPECT_EQ(CallsOf(t::kButtonLostFocus), 1);
  EXPECT_EQ(CallsOf(t::kButtonClicked), 1);
  const std::vector<int> order = TagsCalled();
  EXPECT_EQ(order, (std::vector<int>{t::kButtonGotFocus, t::kButtonClicked, t::kButtonLostFocus, t::kDefaultClicked}));
}

TEST_F(ButtonUnit, EnterClicksTheDefaultButton) {
  HWND preferred = UnitWindow(w::kButtons, u::kDefaultButton);
  EXPECT_EQ(StyleOf(preferred) & 0x1F, BS_DEFPUSHBUTTON);
  ASSERT_TRUE(FocusByClick(button_));
  HandlerCalls().clear();
  TapKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([] { return CallsOf(t::kDefaultClicked) == 1; }));
  EXPECT_EQ(CallsOf(t::kButtonClicked), 0);
}

TEST_F(ButtonUnit, IsDefaultButtonFollowsTheStyleAndButtonTypeIsClamped) {
  const UnitTypeEntry& type = kCoreUnitTypes[core_type::kButton - 1];
  const auto is_default = UnitTypeOperation<IsDefaultButtonOperation>(type.unit_interface,
                                                                      unit_operation::kIsDefaultButton);
  ASSERT_NE(is_default, nullptr);
  UnitObject* plain = UnitObjectOf(w::kButtons, u::kButton);
  EXPECT_FALSE(is_default(plain));

  WriteInt(w::kButtons, u::kButton, kButtonType, 5);
  EXPECT_EQ(ReadInt(w::kButtons, u::kButton, kButtonType), 1);
  EXPECT_EQ(UnitObjectOf(w::kButtons, u::kButton), plain) << "no re-creation";
  EXPECT_TRUE(is_default(plain));
  EXPECT_EQ(StyleOf(button_) & 0xF, BS_DEFPUSHBUTTON);

  WriteInt(w::kButtons, u::kButton, kButtonType, -1);
  EXPECT_EQ(ReadInt(w::kButtons, u::kButton, kButtonType), 0);
  EXPECT_FALSE(is_default(plain));
}

TEST_F(ButtonUnit, AlignmentsAreClampedAndSwitchTheirStyleBits) {
  WriteInt(w::kButtons, u::kButton, kAlignment, 3);
  EXPECT_EQ(ReadInt(w::kButtons, u::kButton, kAlignment), 2);
  EXPECT_EQ(StyleOf(button_) & 0x300, BS_RIGHT);
  WriteInt(w::kButtons, u::kButton, kAlignment, -4);
  EXPECT_EQ(ReadInt(w::kButtons, u::kButton, kAlignment), 0);
  EXPECT_EQ(StyleOf(button_) & 0x300, BS_LEFT);
  WriteInt(w::kButtons, u::kButton, kVAlignment, 0);
  EXPECT_EQ(StyleOf(button_) & 0xC00, BS_TOP);
  WriteInt(w::kButtons, u::kButton, kVAlignment, 9);
  EXPECT_EQ(ReadInt(w::kButtons, u::kButton, kVAlignment), 2);
  EXPECT_EQ(StyleOf(button_) & 0xC00, BS_BOTTOM);
  EXPECT_EQ(UnitWindow(w::kButtons, u::kButton), button_);
}

TEST_F(ButtonUnit, TextIsStoredAndShown) {
  WriteText(w::kButtons, u::kButton, kText, "生成(&G)");
  EXPECT_EQ(WindowText(button_), "生成(&G)");
  EXPECT_EQ(ReadText(w::kButtons, u::kButton, kText), "生成(&G)");
}

TEST_F(ButtonUnit, AnUndecodablePictureShowsTheCaptionAndSettingItAlwaysRecreates) {
  HWND pictured = UnitWindow(w::kButtons, u::kPictureButton);
  EXPECT_EQ(StyleOf(pictured) & (BS_BITMAP | BS_ICON), 0);
  EXPECT_EQ(WindowText(pictured), "图片");
  const std::vector<std::uint8_t> stored = ReadBytes(w::kButtons, u::kPictureButton, kPicture);
  EXPECT_EQ(std::string(stored.begin(), stored.end()), "not a picture");

  UnitObject* before = UnitObjectOf(w::kButtons, u::kPictureButton);
  WriteBytes(w::kButtons, u::kPictureButton, kPicture, stored);
  HWND after = UnitWindow(w::kButtons, u::kPictureButton);
  ASSERT_NE(after, nullptr);
  EXPECT_NE(UnitObjectOf(w::kButtons, u::kPictureButton), before) << "the same bytes still re-create";
  EXPECT_FALSE(::IsWindow(pictured));
  EXPECT_TRUE(::IsWindowVisible(after));
  EXPECT_EQ(WindowText(after), "图片");
  EXPECT_EQ(ReadBytes(w::kButtons, u::kPictureButton, kPicture), stored);
}

TEST_F(ButtonUnit, AnIconPictureIsTheButtonsImageOnTheScreen) {
  RgbImage solid{16, 16, std::vector<std::uint32_t>(256, 0x00A000u)};
  const Bytes icon = WriteIconFile(1, {IconEntry{16, 16, 0, 1, 32, IconImageBits(solid, 0xFFFFFF)}});
  WriteBytes(w::kButtons, u::kPictureButton, kPicture, std::vector<std::uint8_t>(icon.begin(), icon.end()));
  HWND pictured = UnitWindow(w::kButtons, u::kPictureButton);
  ASSERT_NE(pictured, nullptr);
  EXPECT_NE(StyleOf(pictured) & (BS_BITMAP | BS_ICON), 0) << "the caption gives way to the picture";
  ::RedrawWindow(pictured, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump(100);
  RECT client;
  ::GetClientRect(pictured, &client);
  HDC dc = ::GetDC(pictured);
  EXPECT_EQ(::GetPixel(dc, client.right / 2, client.bottom / 2), RGB(0, 0xA0, 0)) << "the icon, centred";
  EXPECT_NE(::GetPixel(dc, 4, client.bottom / 2), RGB(0, 0xA0, 0)) << "the button's face around it";
  ::ReleaseDC(pictured, dc);
}

TEST_F(ButtonUnit, ReCreationKeepsEveryStoredPropertyAndThePlace) {
  WriteInt(w::kButtons, u::kButton, kButtonType, 1);
  WriteInt(w::kButtons, u::kButton, kAlignment, 0);
  WriteText(w::kButtons, u::kButton, kText, "再建");
  Windows().WriteProperty(w::kButtons, u::kButton, kFont, 5, 20);  // 20 points
  const std::vector<std::uint8_t> font = GetBytesDirectly(w::kButtons, u::kButton, button::kFont);
  ASSERT_EQ(font.size(), 60u);
  RECT before;
  ::GetWindowRect(button_, &before);
  WriteBytes(w::kButtons, u::kButton, kPicture, {1, 2, 3});

  HWND fresh = UnitWindow(w::kButtons, u::kButton);
  ASSERT_NE(fresh, button_);
  RECT after;
  ::GetWindowRect(fresh, &after);
  EXPECT_TRUE(::EqualRect(&before, &after));
  EXPECT_EQ(::GetDlgCtrlID(fresh), 120);
  EXPECT_EQ(WindowText(fresh), "再建");
  EXPECT_EQ(StyleOf(fresh) & 0xF, BS_DEFPUSHBUTTON);
  EXPECT_EQ(StyleOf(fresh) & 0x300, BS_LEFT);
  EXPECT_EQ(GetBytesDirectly(w::kButtons, u::kButton, button::kFont), font);
  EXPECT_NE(FontOf(fresh), ::GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_EQ(Windows().ReadProperty(w::kButtons, u::kButton, kFont, 5), 20u);

  HandlerCalls().clear();
  ClickCentre(fresh);
  EXPECT_TRUE(PumpUntil([] { return CallsOf(t::kButtonClicked) == 1; })) << "the new unit raises the events";
}

// What the thread's window procedures are handed while a hook is installed: the binding notices and destruction.
struct SeenMessage {
  HWND window;
  UINT message;
  WPARAM wparam;
  bool operator==(const SeenMessage&) const = default;
};
std::vector<SeenMessage>* g_seen_messages = nullptr;

LRESULT CALLBACK RecordSentMessages(int code, WPARAM wparam, LPARAM lparam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && g_seen_messages != nullptr &&
      (sent->message == unit_message::kAllCreated || sent->message == unit_message::kWindowLoaded ||
       sent->message == WM_DESTROY)) {
    g_seen_messages->push_back({sent->hwnd, sent->message, sent->wParam});
  }
  return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST_F(ButtonUnit, ReCreationTakesTheOldPlaceInZOrderAndTellsTheNewUnitBeforeTheOldGoes) {
  HWND middle = UnitWindow(w::kButtons, u::kDefaultButton);
  HWND above = ::GetWindow(middle, GW_HWNDPREV);
  HWND below = ::GetWindow(middle, GW_HWNDNEXT);
  ASSERT_NE(above, nullptr);
  ASSERT_NE(below, nullptr);
  ::SetFocus(button_);
  ASSERT_EQ(::GetFocus(), button_);

  std::vector<SeenMessage> seen;
  g_seen_messages = &seen;
  HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &RecordSentMessages, nullptr, ::GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  WriteBytes(w::kButtons, u::kDefaultButton, kPicture, {1, 2, 3});
  ::UnhookWindowsHookEx(hook);
  g_seen_messages = nullptr;

  HWND fresh = UnitWindow(w::kButtons, u::kDefaultButton);
  ASSERT_NE(fresh, middle);
  EXPECT_EQ(::GetWindow(fresh, GW_HWNDPREV), above);
  EXPECT_EQ(::GetWindow(fresh, GW_HWNDNEXT), below);
  EXPECT_EQ(seen, (std::vector<SeenMessage>{{fresh, unit_message::kAllCreated, 0},
                                            {fresh, unit_message::kWindowLoaded, 0},
                                            {middle, WM_DESTROY, 0}}));
  EXPECT_EQ(::GetFocus(), button_) << "the focus stays where it was";
}

TEST_F(ButtonUnit, ASixtyByteFontIsMadeWithItsForcedFieldsAndAnyOtherLengthIsTheDefaultFont) {
  EXPECT_EQ(SetBytesDirectly(w::kButtons, u::kButton, button::kFont, FontBytes(-24, "宋体")), 0);
  HFONT made = FontOf(button_);
  ASSERT_NE(made, ::GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTA seen = {};
  ASSERT_EQ(::GetObjectA(made, sizeof seen, &seen), static_cast<int>(sizeof seen));
  EXPECT_EQ(seen.lfHeight, -24);
  EXPECT_EQ(seen.lfWeight, FW_BOLD);
  EXPECT_EQ(seen.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(seen.lfQuality, PROOF_QUALITY);
  EXPECT_STREQ(seen.lfFaceName, "宋体");

  for (std::size_t size : {59u, 61u}) {
    SetBytesDirectly(w::kButtons, u::kButton, button::kFont, FontBytes(-24, "宋体", size));
    EXPECT_EQ(FontOf(button_), ::GetStockObject(DEFAULT_GUI_FONT)) << size << " bytes";
    EXPECT_EQ(GetBytesDirectly(w::kButtons, u::kButton, button::kFont).size(), size) << "the bytes are kept as given";
  }
  SetBytesDirectly(w::kButtons, u::kButton, button::kFont, {});
  EXPECT_TRUE(GetBytesDirectly(w::kButtons, u::kButton, button::kFont).empty());

  // Application code writes a font member by member, starting from the default font.
  Windows().WriteProperty(w::kButtons, u::kButton, kFont, 1, 1);  // bold
  EXPECT_EQ(GetBytesDirectly(w::kButtons, u::kButton, button::kFont).size(), 60u);
  EXPECT_NE(FontOf(button_), ::GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_EQ(Windows().ReadProperty(w::kButtons, u::kButton, kFont, 1), 1u);
}

TEST_F(ButtonUnit, LocalIndexesBeyondTheTableChangeNothing) {
  const UnitTypeEntry& type = kCoreUnitTypes[core_type::kButton - 1];
  const auto set = UnitTypeOperation<SetPropertyOperation>(type.unit_interface, unit_operation::kSetProperty);
  const auto get = UnitTypeOperation<GetPropertyOperation>(type.unit_interface, unit_operation::kGetProperty);
  UnitObject* unit = UnitObjectOf(w::kButtons, u::kButton);
  const RawValue value{1, 0};
  std::uint32_t out = 0xFFFFFFFF;
  EXPECT_EQ(set(unit, button::kOwnPropertyCount, &value, &out), 0);
  EXPECT_EQ(out, 0u) << "the out word is cleared";
  RawValue read{5, 5};
  EXPECT_EQ(get(unit, button::kOwnPropertyCount, &read), 0);
  EXPECT_EQ(get(unit, -1, &read), 0);
  EXPECT_EQ(WindowText(button_), "普通");
}

TEST_F(ButtonUnit, AHandlerThatClosesTheWindowDuringClickedLeavesNothingBehind) {
  OnHandler(t::kButtonClicked, [] { ::DestroyWindow(WindowOf(w::kButtons)); });
  ClickCentre(button_);
  ASSERT_TRUE(PumpUntil([] { return WindowOf(w::kButtons) == nullptr; }));
  EXPECT_FALSE(::IsWindow(button_));
  EXPECT_EQ(UnitObjectOf(w::kButtons, u::kButton), nullptr);
  EXPECT_FALSE(Windows().Find(w::kButtons)->Loaded());
  // The window loads again from its description.
  ForgetActionsAndAnswers();
  ASSERT_TRUE(LoadAndActivate(w::kButtons));
  EXPECT_EQ(WindowText(UnitWindow(w::kButtons, u::kButton)), "普通");
}

TEST_F(ButtonUnit, AUnitWhoseWindowGoesTellsTheEngineAndTakesWhatItOwnsWithIt) {
  const std::uint32_t slots = CoreBufferPool().UsedSlots();
  EXPECT_EQ(SetBytesDirectly(w::kButtons, u::kButton, button::kFont, FontBytes(-20, "宋体")), 0);
  ASSERT_EQ(CoreBufferPool().UsedSlots(), slots + 1) << "a 60-byte font takes a slot of the library's pool";
  ASSERT_NE(FontOf(button_), ::GetStockObject(DEFAULT_GUI_FONT));

  ::DestroyWindow(button_);
  EXPECT_EQ(UnitObjectOf(w::kButtons, u::kButton), nullptr) << "the destruction notice reached the engine";
  EXPECT_NE(UnitObjectOf(w::kButtons, u::kDefaultButton), nullptr);
  EXPECT_TRUE(Windows().Find(w::kButtons)->Loaded());
  EXPECT_EQ(CoreBufferPool().UsedSlots(), slots) << "the unit object is gone, and its font's slot with it";
}

TEST(ButtonBlock, ALaterVersionFailsCreationAndTheWindowLoad) {
  CloseWindows();
  EXPECT_FALSE(Windows().LoadWindow(w::kBadBlock, false, false, nullptr));
  EXPECT_EQ(WindowOf(w::kBadBlock), nullptr);

  const UnitTypeEntry& type = kCoreUnitTypes[core_type::kButton - 1];
  const auto create = UnitTypeOperation<CreateUnitOperation>(type.unit_interface, unit_operation::kCreateUnit);
  ByteWriter later;
  later.U32(button::kBlockVersion + 1);
  const Bytes block = later.Release();
  EXPECT_EQ(create(block.data(), static_cast<std::int32_t>(block.size()), 0, ::GetDesktopWindow(), 1, 0, 0, 0, 10,
                   10, 1, 1, 0, 0),
            nullptr);
}

TEST(ButtonBlock, VisitTextsHandsOverCaptionAndFaceNameAndKeepsChangesMadeInPlace) {
  ButtonProperties p;
  p.text = "abc";
  LOGFONTA font = {};
  std::strcpy(font.lfFaceName, "Arial");
  p.font.assign(reinterpret_cast<const std::uint8_t*>(&font), reinterpret_cast<const std::uint8_t*>(&font) + 60);
  Bytes block;
  EXPECT_EQ(VisitTexts(kCoreUnitTypes[core_type::kButton - 1].unit_interface, p.Save(),
                       [](char* text) { text[0] = 'X'; }, &block),
            (SeenTexts{{"abc", 0}, {"Arial", 1}}));
  ButtonProperties changed;
  ASSERT_TRUE(!block.empty() && changed.Load(block));
  EXPECT_EQ(changed.text, "Xbc");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(changed.font.data()) + 28), "Xrial");
}

}  // namespace
}  // namespace quarrow::testing
