// Label on a live window: its class and properties, Feedback, and its painting checked on pixels — painted into a
// bitmap through WM_PRINTCLIENT and read back from the window after a real WM_PAINT: backgrounds, the eight
// gradients, the gradient frame, pictures in each mode, and the caption with alignment, wrapping, effects and
// prefix processing.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "tests/support/modal_watchdog.h"
#include "tests/support/picture_files.h"
#include "tests/win/test_provider.h"
#include "tests/win/unit_command_support.h"
#include "commands/core_unit_types.h"
#include "units/label.h"
#include "units/label_gradient.h"
#include "units/label_properties.h"
#include "units/unit_properties.h"

namespace quarrow::testing {
namespace {

namespace w = uc_window;
namespace u = uc_unit;
namespace t = uc_tag;

constexpr std::int32_t P(std::int32_t local) { return PropertyIndex(local); }
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

std::vector<std::uint8_t> FontBytes(LONG height, const char* face = "") {
  LOGFONTA font = {};
  font.lfHeight = height;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&font);
  return std::vector<std::uint8_t>(bytes, bytes + sizeof font);
}

// Picture files are given in 0xRRGGBB.
RgbImage Solid(int width, int height, std::uint32_t rgb) {
  return RgbImage{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, rgb)};
}
std::vector<std::uint8_t> Bmp(const RgbImage& image) {
  const Bytes file = WriteBmp(image);
  return std::vector<std::uint8_t>(file.begin(), file.end());
}

bool IsDark(COLORREF c) { return GetRValue(c) < 40 && GetGValue(c) < 40 && GetBValue(c) < 40; }
bool IsWhitish(COLORREF c) { return GetRValue(c) > 215 && GetGValue(c) > 215 && GetBValue(c) > 215; }
bool IsReddish(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; }

int CountWhere(const Canvas& canvas, const RECT& area, bool (*test)(COLORREF)) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += test(canvas.At(x, y)) ? 1 : 0;
  }
  return count;
}

class LabelUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetHandlers();
    CloseWindows();
    ASSERT_TRUE(LoadAndActivate(w::kLabels));
    canvas_ = UnitWindow(w::kLabels, u::kCanvas);
    ASSERT_NE(canvas_, nullptr);
  }
  void TearDown() override {
    CloseWindows();
    EXPECT_TRUE(watchdog_.Unexpected().empty());
  }

  void Set(std::uint32_t unit, std::int32_t local, std::int32_t value) { WriteInt(w::kLabels, unit, P(local), value); }
  void SetColour(std::uint32_t unit, std::int32_t local, std::uint32_t value) {
    WriteInt(w::kLabels, unit, P(local), static_cast<std::int32_t>(value));
  }
  std::int32_t Get(std::uint32_t unit, std::int32_t local) { return ReadInt(w::kLabels, unit, P(local)); }

  // The label painted into a bitmap of its own size.
  std::unique_ptr<Canvas> Painted(std::uint32_t unit) {
    HWND window = UnitWindow(w::kLabels, unit);
    RECT client;
    ::GetClientRect(window, &client);
    auto canvas = std::make_unique<Canvas>(client.right, client.bottom);
    canvas->PrintClient(window);
    return canvas;
  }

  // The label as the screen shows it after a real paint.
  std::unique_ptr<Canvas> Shown(std::uint32_t unit) {
    HWND window = UnitWindow(w::kLabels, unit);
    ::InvalidateRect(window, nullptr, TRUE);
    ::UpdateWindow(window);
    Pump(20);
    RECT client;
    ::GetClientRect(window, &client);
    auto canvas = std::make_unique<Canvas>(client.right, client.bottom);
    canvas->CopyFromScreen(window);
    return canvas;
  }

  void ExpectGradient(const Canvas& canvas, std::int32_t kind, const label::ColourStops& stops, const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const COLORREF expected = label::GradientColour(kind, stops, x, y, width, height);
        if (canvas.At(area.left + x, area.top + y) != expected && wrong++ < 3) {
          ADD_FAILURE() << "kind " << kind << " at " << x << "," << y << ": " << std::hex
                        << canvas.At(area.left + x, area.top + y) << " instead of " << expected;
        }
      }
    }
    EXPECT_EQ(wrong, 0) << "kind " << kind;
  }

  ModalWatchdog watchdog_;
  HWND canvas_ = nullptr;
};

TEST_F(LabelUnit, IsAWindowOfItsOwnClassThatErasesNothing) {
  char name[32] = {};
  ::GetClassNameA(canvas_, name, sizeof name);
  EXPECT_STREQ(name, "_ZR_Label");
  EXPECT_EQ(::GetClassLongPtrA(canvas_, GCL_STYLE), static_cast<ULONG_PTR>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(::GetClassLongPtrA(canvas_, GCLP_HBRBACKGROUND)), ::GetStockObject(NULL_BRUSH));
  EXPECT_EQ(StyleOf(canvas_) & (WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE),
            WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE);
  EXPECT_EQ(ExStyleOf(canvas_) & 0x20201, 0);
  char text[32] = {};
  ::GetWindowTextA(UnitWindow(w::kLabels, u::kCaption), text, sizeof text);
  EXPECT_STREQ(text, "标签") << "the default caption";
}

TEST_F(LabelUnit, SettingPropertiesClampsStoresAndNeverRecreates) {
  UnitObject* before = UnitObjectOf(w::kLabels, u::kCanvas);
  struct Case {
    std::int32_t local, value, stored;
  };
  for (const Case c : {Case{label::kBorderWidth, 0, 5}, Case{label::kBorderWidth, 4, 5}, Case{label::kBorderWidth, 7, 7},
                       Case{label::kBorderWidth, -30, 5}, Case{label::kEffect, 9, 3}, Case{label::kEffect, -1, 0},
                       Case{label::kBorder, 7, 6}, Case{label::kBorder, -2, 0}, Case{label::kPictureMode, 3, 2},
                       Case{label::kPictureMode, -1, 0}, Case{label::kBackGradient, 9, 8},
                       Case{label::kBackGradient, -1, 0}, Case{label::kAlignment, 5, 2}, Case{label::kVAlignment, -5, 0},
                       Case{label::kVAlignment, 3, 2}}) {
    EXPECT_EQ(SetWordDirectly(w::kLabels, u::kCanvas, c.local, static_cast<std::uint32_t>(c.value)), 0);
    EXPECT_EQ(Get(u::kCanvas, c.local), c.stored) << "local " << c.local << " set to " << c.value;
  }
  SetColour(u::kCanvas, label::kGradientColor2, 0xFF000000);
  EXPECT_EQ(static_cast<std::uint32_t>(Get(u::kCanvas, label::kGradientColor2)), 0xFF000000u);
  EXPECT_EQ(UnitObjectOf(w::kLabels, u::kCanvas), before);
}

TEST_F(LabelUnit, BorderStylesAreWindowBordersExceptTheGradientFrame) {
  Set(u::kCanvas, label::kBorder, 1);
  EXPECT_EQ(ExStyleOf(canvas_) & 0x20201, WS_EX_CLIENTEDGE);
  Set(u::kCanvas, label::kBorder, 5);
  EXPECT_EQ(ExStyleOf(canvas_) & 0x20201, 0);
  EXPECT_TRUE(StyleOf(canvas_) & WS_BORDER);
  Set(u::kCanvas, label::kBorder, 6);
  EXPECT_EQ(ExStyleOf(canvas_) & 0x20201, 0);
  EXPECT_FALSE(StyleOf(canvas_) & WS_BORDER);
}

TEST_F(LabelUnit, TextSetsTheWindowTextAndTheBlockKeepsEverything) {
  WriteText(w::kLabels, u::kCanvas, P(label::kText), "地址前段：");
  char text[64] = {};
  ::GetWindowTextA(canvas_, text, sizeof text);
  EXPECT_STREQ(text, "地址前段：");
  const std::vector<std::uint8_t> font = FontBytes(-20, "宋体");
  EXPECT_EQ(SetBytesDirectly(w::kLabels, u::kCanvas, label::kFont, font), 0);
  const std::vector<std::uint8_t> picture = Bmp(Solid(3, 2, 0x123456));
  WriteBytes(w::kLabels, u::kCanvas, P(label::kPicture), picture);
  Set(u::kCanvas, label::kBorderWidth, 9);
  Set(u::kCanvas, label::kVAlignment, 2);
  Set(u::kCanvas, label::kWordWrap, 1);
  WriteText(w::kLabels, u::kCanvas, P(label::kDataSource), "源");
  EXPECT_EQ(GetBytesDirectly(w::kLabels, u::kCanvas, label::kFont), font);
  EXPECT_EQ(ReadBytes(w::kLabels, u::kCanvas, P(label::kPicture)), picture);

  LabelProperties saved;
  const std::vector<std::uint8_t> block = SavedBlock(w::kLabels, u::kCanvas);
  ASSERT_TRUE(saved.Load(block));
  EXPECT_EQ(saved.text, "地址前段：");
  EXPECT_EQ(saved.font, Bytes(font.begin(), font.end()));
  EXPECT_EQ(saved.picture, Bytes(picture.begin(), picture.end()));
  EXPECT_EQ(saved.border_width, 9);
  EXPECT_EQ(saved.v_alignment, 2);
  EXPECT_TRUE(saved.word_wrap);
  EXPECT_EQ(saved.back_color, 0x00FF00u) << "from the form";
  EXPECT_EQ(saved.data_source, "源");

  LabelProperties stored;
  ASSERT_TRUE(stored.Load(SavedBlock(w::kLabels, u::kStored)));
  EXPECT_EQ(stored.text, "框内");
  EXPECT_EQ(stored.border, 6);
  EXPECT_EQ(stored.border_width, 10);
  EXPECT_EQ(stored.border_color3, 0xFF000000u);
}

// A progress label is set on every step of a long run but changes far less often; only a change is drawn.
TEST_F(LabelUnit, TheSameTextAgainLeavesTheLabelAloneWhileANewTextRedrawsIt) {
  WriteText(w::kLabels, u::kCanvas, P(label::kText), "50.0%");
  ::UpdateWindow(canvas_);
  RECT dirty;
  ASSERT_FALSE(::GetUpdateRect(canvas_, &dirty, FALSE));
  WriteText(w::kLabels, u::kCanvas, P(label::kText), "50.0%");
  EXPECT_FALSE(::GetUpdateRect(canvas_, &dirty, FALSE)) << "nothing changed, nothing to draw";
  WriteText(w::kLabels, u::kCanvas, P(label::kText), "50.1%");
  EXPECT_TRUE(::GetUpdateRect(canvas_, &dirty, FALSE));
  char text[16] = {};
  ::GetWindowTextA(canvas_, text, sizeof text);
  EXPECT_STREQ(text, "50.1%");
  EXPECT_EQ(ReadText(w::kLabels, u::kCanvas, P(label::kText)), "50.1%");
}

TEST_F(LabelUnit, FeedbackRaisesItsEventAndAnswersWithTheHandlersValue) {
  HWND caption = UnitWindow(w::kLabels, u::kCaption);
  AnswerFrom(t::kCaptionFeedback, 42);
  EXPECT_EQ(::SendMessageA(caption, label::kFeedbackMessage, 5, 7), 42);
  ASSERT_EQ(CallsOf(t::kCaptionFeedback), 1);
  EXPECT_EQ(HandlerCalls().back().args, (std::vector<std::uintptr_t>{5, 7}));
  AnswerFrom(t::kCaptionFeedback, -3);
  EXPECT_EQ(static_cast<int>(::SendMessageA(caption, label::kFeedbackMessage, 0, 0)), -3);
  AnswerFrom(t::kCaptionFeedback, std::nullopt);
  EXPECT_EQ(::SendMessageA(caption, label::kFeedbackMessage, 1, 1), 0) << "a handler that returns no value";
  EXPECT_EQ(::SendMessageA(canvas_, label::kFeedbackMessage, 1, 1), 0) << "no handler";
  EXPECT_EQ(CallsOf(t::kCaptionFeedback), 3);
}

TEST_F(LabelUnit, AltAndTheMnemonicMoveTheFocusToTheUnitAfterTheLabel) {
  HWND before = UnitWindow(w::kLabels, u::kBeforeMnemonic);
  HWND after = UnitWindow(w::kLabels, u::kAfterMnemonic);
  ::SetFocus(before);
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == before; }));
  TapKey('N', kAlt);
  EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == after; }));
}

TEST_F(LabelUnit, AnEmptyCaptionDrawsOnlyTheBackground) {
  const auto painted = Painted(u::kCanvas);
  EXPECT_EQ(painted->CountOther({0, 0, 100, 100}, kGreen), 0);
  SetColour(u::kCanvas, label::kBackColor, 0xFF000000);
  const auto face = Painted(u::kCanvas);
  EXPECT_EQ(face->CountOther({0, 0, 100, 100}, ::GetSysColor(COLOR_BTNFACE)), 0)
      << "0xFF000000 is the button face in the background colour";
}

TEST_F(LabelUnit, EveryGradientKindStartsAtItsEdgeOrCornerAndFollowsItsRun) {
  SetColour(u::kCanvas, label::kGradientColor1, kRed);
  SetColour(u::kCanvas, label::kGradientColor2, kBlue);
  SetColour(u::kCanvas, label::kGradientColor3, 0xFF000000);
  const label::ColourStops stops = label::UsableStops(kRed, kBlue, 0xFF000000);
  const POINT first_stop[] = {{50, 0}, {0, 50}, {0, 0}, {99, 0}, {50, 99}, {99, 50}, {99, 99}, {0, 99}};
  for (std::int32_t kind = 1; kind <= 8; ++kind) {
    Set(u::kCanvas, label::kBackGradient, kind);
    const auto painted = Painted(u::kCanvas);
    EXPECT_EQ(painted->At(first_stop[kind - 1].x, first_stop[kind - 1].y), kRed) << "kind " << kind;
    EXPECT_EQ(painted->CountOf({0, 0, 100, 100}, kGreen), 0) << "nothing is left to fill, kind " << kind;
    ExpectGradient(*painted, kind, stops, {0, 0, 100, 100});
  }
  // Kind 1 half-way down: red falls and blue rises by 50 × 255 / 100.
  Set(u::kCanvas, label::kBackGradient, 1);
  EXPECT_EQ(Painted(u::kCanvas)->At(10, 50), RGB(128, 0, 127));
  // Kind 3 on a square: the opposite corner lies beyond the run of twice the side only at its far end.
  Set(u::kCanvas, label::kBackGradient, 3);
  EXPECT_EQ(Painted(u::kCanvas)->At(99, 99), RGB(3, 0, 252)) << "198 of 200";
}

TEST_F(LabelUnit, GradientsOnAWideLabelUseTilesOfTheWholeArea) {
  SetColour(u::kWide, label::kGradientColor1, kRed);
  SetColour(u::kWide, label::kGradientColor2, kWhite);
  SetColour(u::kWide, label::kGradientColor3, kBlue);
  Set(u::kWide, label::kBackGradient, 2);
  const auto painted = Painted(u::kWide);
  ExpectGradient(*painted, 2, label::UsableStops(kRed, kWhite, kBlue), {0, 0, 200, 60});
  EXPECT_EQ(painted->At(100, 30), kWhite) << "the middle stop half-way across";
  Set(u::kWide, label::kBackGradient, 8);
  ExpectGradient(*Painted(u::kWide), 8, label::UsableStops(kRed, kWhite, kBlue), {0, 0, 200, 60});
}

TEST_F(LabelUnit, FewerThanTwoGradientColoursFallBackToTheBackgroundColour) {
  Set(u::kCanvas, label::kBackGradient, 1);
  SetColour(u::kCanvas, label::kGradientColor1, 0xFF000000);
  SetColour(u::kCanvas, label::kGradientColor3, 0xFF000000);
  EXPECT_EQ(Painted(u::kCanvas)->CountOther({0, 0, 100, 100}, kGreen), 0);
}

TEST_F(LabelUnit, TheGradientFrameHasBandsWithMitredCornersAroundTheBackground) {
  WriteText(w::kLabels, u::kStored, P(label::kText), "");
  // 120 × 80, frame 10 wide from red to blue, white inside.
  const auto painted = Painted(u::kStored);
  const label::ColourStops stops = label::UsableStops(kRed, kBlue, 0xFF000000);
  for (int i = 0; i < 10; ++i) {
    const COLORREF band = label::ColourOnRun(stops, i, 10);
    EXPECT_EQ(painted->At(60, i), band) << "top band row " << i;
    EXPECT_EQ(painted->At(60, 70 + i), band) << "bottom band row " << i << " runs downwards too";
    EXPECT_EQ(painted->At(i, 40), band) << "left band column " << i;
    EXPECT_EQ(painted->At(110 + i, 40), band) << "right band column " << i;
  }
  // Near the top-left corner the pixels below the diagonal belong to the left band, those above it to the top.
  EXPECT_EQ(painted->At(2, 8), label::ColourOnRun(stops, 2, 10)) << "left band, column 2";
  EXPECT_EQ(painted->At(8, 2), label::ColourOnRun(stops, 2, 10)) << "top band, row 2";
  EXPECT_EQ(painted->At(117, 2), label::ColourOnRun(stops, 2, 10)) << "top band at the top-right corner";
  EXPECT_EQ(painted->At(113, 9), label::ColourOnRun(stops, 3, 10)) << "right band at the top-right corner";
  EXPECT_EQ(painted->At(3, 75), label::ColourOnRun(stops, 3, 10)) << "left band at the bottom-left corner";
  EXPECT_EQ(painted->At(9, 77), label::ColourOnRun(stops, 7, 10)) << "bottom band at the bottom-left corner";
  EXPECT_EQ(painted->CountOther({10, 10, 110, 70}, kWhite), 0) << "the background inside the frame";
}

TEST_F(LabelUnit, AFrameWithOneUsableColourIsNotDrawnAndDoesNotShrinkTheCaption) {
  SetColour(u::kStored, label::kBorderColor2, 0xFF000000);
  const auto unframed = Painted(u::kStored);
  EXPECT_EQ(unframed->At(0, 0), kWhite);
  EXPECT_EQ(unframed->At(60, 2), kWhite);
  Set(u::kStored, label::kBorder, 0);
  const auto borderless = Painted(u::kStored);
  RECT ink;
  ASSERT_GT(borderless->CountOther({0, 0, 120, 80}, kWhite, &ink), 0) << "the caption shows";
  EXPECT_LT(ink.left, 4) << "the caption starts at the left edge";
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 120; ++x) ASSERT_EQ(unframed->At(x, y), borderless->At(x, y)) << x << "," << y;
  }
}

TEST_F(LabelUnit, AFrameWiderThanHalfTheLabelIsLimitedToHalf) {
  WriteText(w::kLabels, u::kStored, P(label::kText), "");
  Set(u::kStored, label::kBorderWidth, 100);
  const auto painted = Painted(u::kStored);
  const label::ColourStops stops = label::UsableStops(kRed, kBlue, 0xFF000000);
  EXPECT_EQ(painted->At(60, 39), label::ColourOnRun(stops, 39, 40)) << "the top band is 40 high";
  EXPECT_EQ(painted->At(60, 40), kRed) << "the bottom band starts again";
  EXPECT_EQ(painted->CountOf({0, 0, 120, 80}, kWhite), 0) << "no background is left";
}

TEST_F(LabelUnit, PictureModeTwoShrinksInProportionAndCentresWithoutEnlarging) {
  Set(u::kCanvas, label::kPictureMode, 2);
  WriteBytes(w::kLabels, u::kCanvas, P(label::kPicture), Bmp(Solid(200, 100, 0xFF0000)));
  const auto wide = Painted(u::kCanvas);
  EXPECT_EQ(wide->CountOf({0, 25, 100, 75}, kRed), 100 * 50) << "200 × 100 is drawn at 100 × 50, centred";
  EXPECT_EQ(wide->CountOf({0, 0, 100, 25}, kGreen), 100 * 25);
  EXPECT_EQ(wide->CountOf({0, 75, 100, 100}, kGreen), 100 * 25);

  WriteBytes(w::kLabels, u::kCanvas, P(label::kPicture), Bmp(Solid(50, 50, 0x0000FF)));
  const auto small = Painted(u::kCanvas);
  EXPECT_EQ(small->CountOf({25, 25, 75, 75}, kBlue), 50 * 50) << "50 × 50 stays 50 × 50, centred";
  EXPECT_EQ(small->CountOf({0, 0, 100, 100}, kGreen), 100 * 100 - 50 * 50);

  WriteBytes(w::kLabels, u::kCanvas, P(label::kPicture), Bmp(Solid(50, 400, 0x0000FF)));
  const auto tall = Painted(u::kCanvas);
  EXPECT_EQ(tall->CountOf({44, 0, 56, 100}, kBlue), 12 * 100) << "50 × 400 is drawn at 12 × 100";
  EXPECT_EQ(tall->CountOf({0, 0, 100, 100}, kGreen), 100 * 100 - 12 * 100);
}

TEST_F(LabelUnit, PictureModeZeroDrawsAtNaturalSizeInTheTopLeftCorner) {
  Set(u::kCanvas, label::kPictureMode, 0);
  WriteBytes(w::kLabels, u::kCanvas, P(label::kPicture), Bmp(Solid(30, 20, 0x0000FF)));
  const auto painted = Painted(u::kCanvas);
  EXPECT_EQ(painted->CountOf({0, 0, 30, 20}, kBlue), 30 * 20);
  EXPECT_EQ(painted->CountOf({0, 0, 100, 100}, kGreen), 100 * 100 - 30 * 20);
}

TEST_F(LabelUnit, PictureModeOneTilesFromTheTopLeftCornerAndLeavesNothingToFill) {
  RgbImage halves = Solid(30, 20, 0xFF0000);
  for (int y = 0; y < 20; ++y) {
    for (int x = 15; x < 30; ++x) halves.pixels[y * 30 + x] = 0x0000FF;
  }
  WriteBytes(w::kLabels, u::kCanvas, P(label::kPicture), Bmp(halves));
  EXPECT_EQ(Get(u::kCanvas, label::kPictureMode), 1) << "tiled is the default";
  const auto painted = Painted(u::kCanvas);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) ASSERT_EQ(painted->At(x, y), x % 30 < 15 ? kRed : kBlue) << x << "," << y;
  }
}

TEST_F(LabelUnit, PicturesShowOnTheScreenAsTheyPaintIntoABitmap) {
  for (std::int32_t mode : {0, 1, 2}) {
    Set(u::kCanvas, label::kPictureMode, mode);
    WriteBytes(w::kLabels, u::kCanvas, P(label::kPicture), Bmp(Solid(40, 30, 0x0000FF)));
    const auto shown = Shown(u::kCanvas);
    const auto painted = Painted(u::kCanvas);
    const int blue = mode == 1 ? 100 * 100 : 40 * 30;
    EXPECT_EQ(shown->CountOf({0, 0, 100, 100}, kBlue), blue) << "mode " << mode;
    EXPECT_EQ(shown->CountOf({0, 0, 100, 100}, kGreen), 100 * 100 - blue) << "mode " << mode;
    for (int y = 0; y < 100; y += 3) {
      for (int x = 0; x < 100; x += 3) ASSERT_EQ(shown->At(x, y), painted->At(x, y)) << "mode " << mode;
    }
  }
  const auto centred = Shown(u::kCanvas);
  EXPECT_EQ(centred->At(30, 35), kBlue) << "mode 2 centres 40 × 30 at (30, 35)";
  EXPECT_EQ(centred->At(29, 35), kGreen);
  EXPECT_EQ(centred->At(69, 64), kBlue);
  EXPECT_EQ(centred->At(70, 64), kGreen);
}

TEST_F(LabelUnit, APictureGoesBeforeTheGradientAndAnUndecodablePictureIsDropped) {
  Set(u::kCanvas, label::kBackGradient, 2);
  Set(u::kCanvas, label::kPictureMode, 0);
  WriteBytes(w::kLabels, u::kCanvas, P(label::kPicture), Bmp(Solid(10, 10, 0x0000FF)));
  const auto pictured = Painted(u::kCanvas);
  EXPECT_EQ(pictured->CountOf({0, 0, 10, 10}, kBlue), 100);
  EXPECT_EQ(pictured->CountOf({0, 0, 100, 100}, kGreen), 100 * 100 - 100) << "the rest is the plain colour";

  Set(u::kCanvas, label::kBackGradient, 0);
  const std::vector<std::uint8_t> garbage = {'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8, 9};
  WriteBytes(w::kLabels, u::kCanvas, P(label::kPicture), garbage);
  EXPECT_EQ(ReadBytes(w::kLabels, u::kCanvas, P(label::kPicture)), garbage) << "kept until it is painted";
  EXPECT_EQ(Painted(u::kCanvas)->CountOther({0, 0, 100, 100}, kGreen), 0);
  EXPECT_TRUE(ReadBytes(w::kLabels, u::kCanvas, P(label::kPicture)).empty()) << "dropped by the paint";
}

TEST_F(LabelUnit, AnIconsTransparentPixelsShowTheBackgroundColour) {
  RgbImage framed = Solid(16, 16, 0xFF00FF);
  for (int i = 0; i < 16; ++i) {
    framed.pixels[i] = framed.pixels[15 * 16 + i] = framed.pixels[i * 16] = framed.pixels[i * 16 + 15] = 0x0000FF;
  }
  const Bytes icon = WriteIconFile(1, {IconEntry{16, 16, 0, 1, 32, IconImageBits(framed, 0xFF00FF)}});
  Set(u::kCanvas, label::kPictureMode, 0);
  WriteBytes(w::kLabels, u::kCanvas, P(label::kPicture), std::vector<std::uint8_t>(icon.begin(), icon.end()));
  const auto painted = Painted(u::kCanvas);
  EXPECT_EQ(painted->At(0, 0), kBlue);
  EXPECT_EQ(painted->At(8, 8), kGreen) << "inside the icon's frame";
  EXPECT_EQ(painted->At(50, 50), kGreen);
}

class LabelCaption : public LabelUnit {
 protected:
  void SetUp() override {
    LabelUnit::SetUp();
    SetColour(u::kWide, label::kBackColor, kGreen);
    SetColour(u::kWide, label::kTextColor, kRed);
    SetBytesDirectly(w::kLabels, u::kWide, label::kFont, FontBytes(-24));
  }
  // The bounding box of everything that is not background.
  RECT Ink(const Canvas& canvas) {
    RECT box;
    EXPECT_GT(canvas.CountOther({0, 0, 200, 60}, kGreen, &box), 0) << "the caption shows";
    return box;
  }
  void Caption(const std::string& text) { WriteText(w::kLabels, u::kWide, P(label::kText), text); }
};

TEST_F(LabelCaption, AlignmentsPlaceTheCaptionAcrossTheLabel) {
  Caption("地址");
  const RECT left = Ink(*Painted(u::kWide));
  EXPECT_LT(left.left, 4);
  Set(u::kWide, label::kAlignment, 2);
  const RECT right = Ink(*Painted(u::kWide));
  EXPECT_GT(right.right, 195);
  Set(u::kWide, label::kAlignment, 1);
  const RECT centre = Ink(*Painted(u::kWide));
  EXPECT_NEAR((centre.left + centre.right) / 2, 100, 4);
  EXPECT_EQ(centre.right - centre.left, left.right - left.left);
}

TEST_F(LabelCaption, VerticalAlignmentAppliesToASingleLineAndWordWrapIgnoresIt) {
  Caption("地址");
  EXPECT_EQ(Get(u::kWide, label::kVAlignment), 1);
  const RECT middle = Ink(*Painted(u::kWide));
  EXPECT_NEAR((middle.top + middle.bottom) / 2, 30, 5);
  Set(u::kWide, label::kVAlignment, 0);
  const RECT top = Ink(*Painted(u::kWide));
  EXPECT_LT(top.top, 10);
  Set(u::kWide, label::kVAlignment, 2);
  const RECT bottom = Ink(*Painted(u::kWide));
  EXPECT_GT(bottom.bottom, 52);
  Set(u::kWide, label::kWordWrap, 1);
  const RECT wrapped = Ink(*Painted(u::kWide));
  EXPECT_EQ(wrapped.top, top.top) << "a wrapped caption starts at the top whatever VAlignment says";
}

TEST_F(LabelCaption, WordWrapBreaksALongCaptionIntoLines) {
  Caption("one two three four five six");
  const RECT single = Ink(*Painted(u::kWide));
  Set(u::kWide, label::kWordWrap, 1);
  const RECT wrapped = Ink(*Painted(u::kWide));
  EXPECT_GT(wrapped.bottom - wrapped.top, 2 * (single.bottom - single.top) - 4) << "at least two lines";
  EXPECT_LE(wrapped.right, 200);
}

TEST_F(LabelCaption, EffectsDrawAWhiteOrBlackCopyFirst) {
  Caption("Hm");
  const auto plain = Painted(u::kWide);
  const RECT ink = Ink(*plain);
  const RECT all = {0, 0, 200, 60};
  EXPECT_EQ(CountWhere(*plain, all, IsDark), 0);
  EXPECT_EQ(CountWhere(*plain, all, IsWhitish), 0);

  Set(u::kWide, label::kEffect, 3);
  const auto shadow = Painted(u::kWide);
  const RECT shadowed = Ink(*shadow);
  EXPECT_GT(CountWhere(*shadow, all, IsDark), 0) << "a black copy";
  EXPECT_EQ(shadowed.left, ink.left);
  EXPECT_EQ(shadowed.top, ink.top);
  EXPECT_EQ(shadowed.right, ink.right + 2) << "offset by two";
  EXPECT_EQ(shadowed.bottom, ink.bottom + 2);

  Set(u::kWide, label::kEffect, 1);
  const auto sunken = Painted(u::kWide);
  const RECT sunk = Ink(*sunken);
  EXPECT_GT(CountWhere(*sunken, all, IsWhitish), 0) << "a white copy";
  EXPECT_EQ(sunk.right, ink.right + 1);
  EXPECT_EQ(sunk.bottom, ink.bottom + 1);
  const RECT top_row_sunk = {sunk.left, sunk.top, sunk.right, sunk.top + 1};
  EXPECT_EQ(CountWhere(*sunken, top_row_sunk, IsWhitish), 0) << "the caption is on top, the copy below it";

  Set(u::kWide, label::kEffect, 2);
  const auto raised = Painted(u::kWide);
  const RECT lifted = Ink(*raised);
  EXPECT_EQ(lifted.left, ink.left);
  EXPECT_EQ(lifted.right, ink.right + 1);
  const RECT top_row_raised = {lifted.left, lifted.top, lifted.right, lifted.top + 1};
  EXPECT_GT(CountWhere(*raised, top_row_raised, IsWhitish), 0) << "the copy is on top, the caption below it";
  EXPECT_EQ(CountWhere(*raised, top_row_raised, IsReddish), 0);
}

TEST_F(LabelCaption, AmpersandsAreProcessedAsPrefixes) {
  SetColour(u::kWide, label::kTextColor, kBlack);
  SetBytesDirectly(w::kLabels, u::kWide, label::kFont, {});  // the default GUI font, as the reference uses
  const auto reference = [](const char* text, UINT extra) {
    auto canvas = std::make_unique<Canvas>(200, 60, kGreen);
    HDC dc = canvas->Dc();
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kBlack);
    RECT r = {0, 0, 200, 60};
    ::DrawTextA(dc, text, -1, &r, DT_NOCLIP | DT_LEFT | DT_SINGLELINE | DT_VCENTER | extra);
    ::SelectObject(dc, old);
    ::GdiFlush();
    return canvas;
  };
  const auto same = [](const Canvas& a, const Canvas& b) {
    for (int y = 0; y < 60; ++y) {
      for (int x = 0; x < 200; ++x) {
        if (a.At(x, y) != b.At(x, y)) return false;
      }
    }
    return true;
  };
  Caption("A&&B");
  EXPECT_TRUE(same(*Painted(u::kWide), *reference("A&B", DT_NOPREFIX))) << "two ampersands draw one";
  Caption("&Name");
  const auto underlined = Painted(u::kWide);
  EXPECT_TRUE(same(*underlined, *reference("&Name", 0)));
  EXPECT_FALSE(same(*underlined, *reference("Name", 0))) << "the N is underlined";
}

TEST(LabelBinding, ABoundLabelShowsTheProvidersColumnAndWritesNothingBack) {
  ModalWatchdog watchdog;
  CloseWindows();
  ASSERT_TRUE(LoadAndActivate(w::kBinding));
  auto* provider = static_cast<TestProvider*>(static_cast<ChildUnit*>(UnitObjectOf(w::kBinding, u::kProvider)));
  ASSERT_NE(provider, nullptr);
  HWND label = UnitWindow(w::kBinding, u::kBoundLabel);
  EXPECT_EQ(provider->ListenerCount(), 1u);
  provider->SetValue("名称", "张三");
  char text[32] = {};
  ::GetWindowTextA(label, text, sizeof text);
  EXPECT_STREQ(text, "张三");
  EXPECT_EQ(ReadText(w::kBinding, u::kBoundLabel, P(label::kText)), "张三") << "stored as the caption";
  provider->SetValue("其他", "x");
  EXPECT_EQ(ReadText(w::kBinding, u::kBoundLabel, P(label::kText)), "张三") << "another column";
  WriteText(w::kBinding, u::kBoundLabel, P(label::kText), "改了");
  provider->Collect();
  EXPECT_EQ(provider->Value("名称"), "张三") << "a label writes nothing back";
  WriteText(w::kBinding, u::kBoundLabel, P(label::kDataColumn), "其他");
  EXPECT_EQ(ReadText(w::kBinding, u::kBoundLabel, P(label::kText)), "x") << "re-bound to the new column";
  CloseWindows();
  EXPECT_TRUE(watchdog.Unexpected().empty());
}

TEST(LabelBlock, VisitTextsHandsOverCaptionFaceNameAndDataNames) {
  LabelProperties p;
  p.text = "abc";
  p.data_source = "src";
  p.data_column = "col";
  const std::vector<std::uint8_t> font = FontBytes(-12, "Arial");
  p.font.assign(font.begin(), font.end());
  Bytes block;
  EXPECT_EQ(VisitTexts(kCoreUnitTypes[core_type::kLabel - 1].unit_interface, p.Save(),
                       [](char* text) { text[0] = 'X'; }, &block),
            (SeenTexts{{"abc", 0}, {"Arial", 1}, {"src", 0}, {"col", 0}}));
  LabelProperties changed;
  ASSERT_TRUE(!block.empty() && changed.Load(block));
  EXPECT_EQ(changed.text, "Xbc");
  EXPECT_EQ(changed.data_column, "Xol");
}

TEST(LabelType, EntryNamesFlagsAndTable) {
  const UnitTypeEntry& type = kCoreUnitTypes[core_type::kLabel - 1];
  EXPECT_STREQ(type.chinese_name, "标签");
  EXPECT_STREQ(type.english_name, "Label");
  EXPECT_EQ(type.flags, 0x84012040u);
  EXPECT_EQ(type.property_count, 29u);
  EXPECT_EQ(UnitTypeOperation<WantsKeyOperation>(type.unit_interface, unit_operation::kWantsKey), nullptr);
}

}  // namespace
}  // namespace quarrow::testing
