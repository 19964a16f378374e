#include "internals/alpha_blend.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/decoded_pixels.h"

namespace quarrow {
namespace {

// One pixel, blue green red alpha, composed over the background; the result as 0xAARRGGBB.
std::uint32_t Over(std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t a, std::uint32_t background) {
  std::vector<std::uint8_t> pixel{b, g, r, a};
  ComposeOverBackground(pixel, background);
  return static_cast<std::uint32_t>(pixel[3]) << 24 | testing::RgbOf(pixel.data());
}

TEST(AlphaBlend, AFullyTransparentPixelTakesTheBackgroundExactly) {
  // Backgrounds are platform colours: red in the low byte.
  EXPECT_EQ(Over(10, 20, 30, 0, 0x00112233), 0xFF332211u);
  EXPECT_EQ(Over(255, 255, 255, 0, 0x00000000), 0xFF000000u);
  EXPECT_EQ(Over(0, 0, 0, 0, 0x00FFFFFF), 0xFFFFFFFFu);
  EXPECT_EQ(Over(1, 2, 3, 0, 0x00F0F0F0), 0xFFF0F0F0u);
}

TEST(AlphaBlend, AnOpaquePixelKeepsItsColour) {
  EXPECT_EQ(Over(10, 20, 30, 255, 0x00FFFFFF), 0xFF1E140Au);
}

TEST(AlphaBlend, PartialAlphaMixesWithTruncation) {
  // 128 * 255 / 255 over black: 128. Over white from black: 255 * (1 - 128 * 0.0039215689) = 126.99..., so 126.
  EXPECT_EQ(Over(255, 255, 255, 128, 0x00000000), 0xFF808080u);
  EXPECT_EQ(Over(0, 0, 0, 128, 0x00FFFFFF), 0xFF7E7E7Eu);
  // The pixel's share is an integer quotient: 1 * 200 / 255 is 0; the background's share 99.6 truncates to 99.
  EXPECT_EQ(Over(200, 200, 200, 1, 0x00646464), 0xFF636363u);
  // Each component against its own background component.
  EXPECT_EQ(Over(255, 0, 0, 51, 0x000000FF), 0xFFCB0033u);
}

TEST(AlphaBlend, WholeRowsAreComposedPixelByPixel) {
  std::vector<std::uint8_t> row{0, 0, 255, 255, 0, 0, 255, 0, 9, 9, 9};  // the last, partial pixel is left alone
  ComposeOverBackground(row, 0x00FF0000);
  EXPECT_EQ(row, (std::vector<std::uint8_t>{0, 0, 255, 255, 255, 0, 0, 255, 9, 9, 9}));
}

TEST(AlphaBlend, AGifsTransparentIndexShowsTheBackground) {
  PicturePixels gif = MakeIndexedPicture(PictureKind::kGif, 2, 2);
  IndexedColour(gif, 3)[0] = 0x44;
  gif.control = {.present = true, .disposal = 0, .transparent = true, .delay = 0, .transparent_index = 3};
  ShowTransparentIndexAs(gif, 0x00C08040);
  EXPECT_EQ(testing::TableColour(gif, 3), 0x4080C0u);
  EXPECT_EQ(testing::TableColour(gif, 2), 0u);

  PicturePixels opaque = MakeIndexedPicture(PictureKind::kGif, 2, 2);
  opaque.control = {.present = true, .disposal = 0, .transparent = false, .delay = 0, .transparent_index = 3};
  ShowTransparentIndexAs(opaque, 0x00C08040);
  EXPECT_EQ(testing::TableColour(opaque, 3), 0u);
  PicturePixels pcx = MakeIndexedPicture(PictureKind::kPcx8, 2, 2);
  pcx.control = gif.control;
  ShowTransparentIndexAs(pcx, 0x00C08040);
  EXPECT_EQ(testing::TableColour(pcx, 3), 0u);
}

}  // namespace
}  // namespace quarrow
