// A label's gradient colours: which stops take part, where a pixel lies on the run of each kind, the colour on a
// run (segments, truncation, the last stop), and tiles as a bitmap receives them.
#include <gtest/gtest.h>

#include <vector>

#include "units/label_gradient.h"

namespace quarrow::label {
namespace {

std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | (g << 8) | (b << 16); }

TEST(LabelGradientStops, LeaveOutOnlyTheNoStopValue) {
  ColourStops all = UsableStops(0x808080, 0xFFFFFF, 0x000000);
  EXPECT_EQ(all.count, 3);
  EXPECT_TRUE(all.Usable());

  ColourStops middle_missing = UsableStops(0x0000FF, 0xFF000000, 0x00FF00);
  ASSERT_EQ(middle_missing.count, 2);
  EXPECT_EQ(middle_missing.colours[0], 0x0000FFu);
  EXPECT_EQ(middle_missing.colours[1], 0x00FF00u) << "the third colour moves up";

  EXPECT_FALSE(UsableStops(0x123456, 0xFF000000, 0xFF000000).Usable()) << "one colour is no gradient";
  EXPECT_FALSE(UsableStops(0xFF000000, 0xFF000000, 0xFF000000).Usable());
  EXPECT_EQ(UsableStops(0xFE000000, 0xFF000001, 0).count, 3) << "only 0xFF000000 itself is left out";
}

TEST(LabelGradientRun, TwoStopsMoveEveryByteByTheTruncatedFraction) {
  const ColourStops black_to_white = UsableStops(0x000000, 0xFFFFFF, 0xFF000000);
  EXPECT_EQ(ColourOnRun(black_to_white, 0, 100), 0u);
  EXPECT_EQ(ColourOnRun(black_to_white, 50, 100), Rgb(127, 127, 127));
  EXPECT_EQ(ColourOnRun(black_to_white, 99, 100), Rgb(252, 252, 252)) << "99 × 255 / 100 = 252.45";
  EXPECT_EQ(ColourOnRun(black_to_white, 100, 100), 0xFFFFFFu) << "the end of the run is the last stop";
  EXPECT_EQ(ColourOnRun(black_to_white, 5000, 100), 0xFFFFFFu);
}

TEST(LabelGradientRun, FallingBytesAreTruncatedTowardsZero) {
  // Red falls from 10 to 0 over a segment of 3: 10 − 10/3 truncates to 7 (flooring would give 6).
  const ColourStops falling = UsableStops(Rgb(10, 0, 200), Rgb(0, 9, 100), 0xFF000000);
  EXPECT_EQ(ColourOnRun(falling, 1, 3), Rgb(7, 3, 167));
  EXPECT_EQ(ColourOnRun(falling, 2, 3), Rgb(4, 6, 134));
}

TEST(LabelGradientRun, ThreeStopsShareTheRunAndTheRestShowsTheLastStop) {
  const ColourStops grey_white_grey = UsableStops(0x808080, 0xFFFFFF, 0x000000);
  // A run of 101 pixels has segments of 50: pixel 50 is the middle stop, pixel 100 already past the second segment.
  EXPECT_EQ(ColourOnRun(grey_white_grey, 0, 101), 0x808080u);
  EXPECT_EQ(ColourOnRun(grey_white_grey, 25, 101), Rgb(191, 191, 191)) << "128 + 25 × 127 / 50";
  EXPECT_EQ(ColourOnRun(grey_white_grey, 50, 101), 0xFFFFFFu);
  EXPECT_EQ(ColourOnRun(grey_white_grey, 75, 101), Rgb(128, 128, 128)) << "255 − 25 × 255 / 50";
  EXPECT_EQ(ColourOnRun(grey_white_grey, 99, 101), Rgb(6, 6, 6));
  EXPECT_EQ(ColourOnRun(grey_white_grey, 100, 101), 0x000000u);
}

TEST(LabelGradientRun, RunsShorterThanTheirSegmentsDoNotDivideByZero) {
  const ColourStops three = UsableStops(0x0000FF, 0x00FF00, 0xFF0000);
  EXPECT_EQ(ColourOnRun(three, 0, 1), 0x0000FFu);
  EXPECT_EQ(ColourOnRun(three, 1, 1), 0xFF0000u);
  EXPECT_EQ(ColourOnRun(three, 0, 0), 0xFF0000u);
  EXPECT_EQ(ColourOnRun(three, -3, 10), 0x0000FFu);
}

TEST(LabelGradientPlace, EdgeKindsRunFromTheirEdge) {
  EXPECT_EQ(PlaceOnRun(1, 7, 3, 40, 20).position, 3);
  EXPECT_EQ(PlaceOnRun(1, 7, 3, 40, 20).length, 20);
  EXPECT_EQ(PlaceOnRun(2, 7, 3, 40, 20).position, 7);
  EXPECT_EQ(PlaceOnRun(2, 7, 3, 40, 20).length, 40);
  EXPECT_EQ(PlaceOnRun(5, 7, 19, 40, 20).position, 0) << "kind 5 starts at the bottom row";
  EXPECT_EQ(PlaceOnRun(5, 7, 0, 40, 20).position, 19);
  EXPECT_EQ(PlaceOnRun(6, 39, 3, 40, 20).position, 0) << "kind 6 starts at the right column";
  EXPECT_EQ(PlaceOnRun(6, 0, 3, 40, 20).position, 39);
}

TEST(LabelGradientPlace, CornerKindsMeasureFromTheirCornerOverTwiceTheSmallerSide) {
  constexpr int w = 40, h = 20;
  struct Case {
    int kind, x, y;
  };
  for (const Case c : {Case{3, 0, 0}, Case{4, w - 1, 0}, Case{7, w - 1, h - 1}, Case{8, 0, h - 1}}) {
    const RunPlace corner = PlaceOnRun(c.kind, c.x, c.y, w, h);
    EXPECT_EQ(corner.position, 0) << "kind " << c.kind;
    EXPECT_EQ(corner.length, 40) << "kind " << c.kind;
  }
  EXPECT_EQ(PlaceOnRun(3, 5, 2, w, h).position, 7);
  EXPECT_EQ(PlaceOnRun(4, 5, 2, w, h).position, (w - 1 - 5) + 2);
  EXPECT_EQ(PlaceOnRun(7, 5, 2, w, h).position, (w - 1 - 5) + (h - 1 - 2));
  EXPECT_EQ(PlaceOnRun(8, 5, 2, w, h).position, 5 + (h - 1 - 2));
  EXPECT_EQ(PlaceOnRun(0, 5, 2, w, h).length, 0);
  EXPECT_EQ(PlaceOnRun(9, 5, 2, w, h).length, 0);

  const ColourStops two = UsableStops(0x000000, 0xFFFFFF, 0xFF000000);
  EXPECT_EQ(GradientColour(3, two, 30, 15, w, h), 0xFFFFFFu) << "45 lies beyond the run of 40";
  EXPECT_EQ(GradientColour(3, two, 10, 10, w, h), Rgb(127, 127, 127));
}

TEST(LabelGradientTile, HoldsBitmapPixelsOfItsPlaceInTheArea) {
  const ColourStops stops = UsableStops(0x0000FF, 0xFF0000, 0xFF000000);  // red to blue
  std::vector<std::uint32_t> tile(20 * 3, 0xDEADBEEF);
  FillGradientTile(2, stops, 120, 30, 50, 10, 20, 3, tile);
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 20; ++column) {
      const std::uint32_t expected = BitmapPixel(GradientColour(2, stops, 50 + column, 10 + row, 120, 30));
      ASSERT_EQ(tile[row * 20 + column], expected) << column << "," << row;
    }
  }
  EXPECT_EQ(BitmapPixel(0x0000FF), 0xFF0000u) << "COLORREF red is bitmap red";
  EXPECT_EQ(PixelColour(BitmapPixel(0x123456)), 0x123456u);

  std::vector<std::uint32_t> too_small(10, 7);
  FillGradientTile(2, stops, 120, 30, 0, 0, 20, 3, too_small);
  EXPECT_EQ(too_small, std::vector<std::uint32_t>(10, 7)) << "a buffer too small is left alone";
}

}  // namespace
}  // namespace quarrow::label
