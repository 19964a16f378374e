#include "internals/bmp_decoder.h"

#include <gtest/gtest.h>

#include "tests/support/decoded_pixels.h"
#include "tests/support/picture_files.h"

namespace quarrow {
namespace {

using testing::BmpOptions;
using testing::PatternImage;
using testing::PatternIndexedImage;
using testing::TrueColourAt;

void ExpectPicture(const std::optional<PicturePixels>& p, const testing::RgbImage& image) {
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->kind, PictureKind::kBmp);
  ASSERT_EQ(p->width, image.width);
  ASSERT_EQ(p->height, image.height);
  ASSERT_EQ(p->pixels.size(), static_cast<std::size_t>(image.width) * image.height * 3) << "rows are not padded";
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      ASSERT_EQ(TrueColourAt(*p, x, y), image.At(x, y)) << "pixel " << x << "," << y;
    }
  }
}

testing::RgbImage Colours(const testing::IndexedImage& image) {
  testing::RgbImage rgb{image.width, image.height, {}};
  for (std::uint8_t i : image.indexes) rgb.pixels.push_back(image.palette[i]);
  return rgb;
}

TEST(BmpDecoder, TrueColourRowsOfEveryPaddingComeOutBottomUpWithoutPadding) {
  for (int width : {1, 2, 3, 4, 5}) {
    const auto image = PatternImage(width, 3);
    ExpectPicture(DecodeBmp(testing::WriteBmp(image)), image);
    ExpectPicture(DecodeBmp(testing::WriteBmp(image, {.bits = 32})), image);
  }
}

TEST(BmpDecoder, ANegativeHeightMeansRowsStoredTopDown) {
  const auto image = PatternImage(5, 4);
  ExpectPicture(DecodeBmp(testing::WriteBmp(image, {.top_down = true})), image);
  const auto indexed = PatternIndexedImage(6, 3, 16);
  ExpectPicture(DecodeBmp(testing::WriteBmp(indexed, {.bits = 4, .top_down = true})), Colours(indexed));
}

TEST(BmpDecoder, IndexedDepthsTakeTheMostSignificantBitsFirst) {
  const auto two = PatternIndexedImage(13, 3, 2);
  ExpectPicture(DecodeBmp(testing::WriteBmp(two, {.bits = 1})), Colours(two));
  const auto sixteen = PatternIndexedImage(7, 5, 16);
  ExpectPicture(DecodeBmp(testing::WriteBmp(sixteen, {.bits = 4})), Colours(sixteen));
  const auto many = PatternIndexedImage(9, 4, 200);
  ExpectPicture(DecodeBmp(testing::WriteBmp(many, {.bits = 8, .colours_used = 200})), Colours(many));
}

TEST(BmpDecoder, IndexesPastAShortColourTableAreBlack) {
  auto image = PatternIndexedImage(4, 1, 4);
  image.indexes = {0, 1, 2, 3};
  const auto p = DecodeBmp(testing::WriteBmp(image, {.bits = 8, .colours_used = 2}));
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(TrueColourAt(*p, 0, 0), image.palette[0]);
  EXPECT_EQ(TrueColourAt(*p, 1, 0), image.palette[1]);
  EXPECT_EQ(TrueColourAt(*p, 2, 0), 0u);
  EXPECT_EQ(TrueColourAt(*p, 3, 0), 0u);
}

TEST(BmpDecoder, TheColourTableFollowsALargerInfoHeader) {
  const auto image = PatternIndexedImage(5, 2, 16);
  ExpectPicture(DecodeBmp(testing::WriteBmp(image, {.bits = 4, .info_size = 124})), Colours(image));
}

TEST(BmpDecoder, PixelsStartAtTheirOffsetEvenAfterAGap) {
  const auto image = PatternImage(3, 2);
  ExpectPicture(DecodeBmp(testing::WriteBmp(image, {.pixel_offset = 80})), image);
}

TEST(BmpDecoder, HeadersRunningPastThePixelOffsetAreRejected) {
  EXPECT_FALSE(DecodeBmp(testing::WriteBmp(PatternImage(3, 2), {.pixel_offset = 50})));
  const auto indexed = PatternIndexedImage(3, 2, 16);
  EXPECT_FALSE(DecodeBmp(testing::WriteBmp(indexed, {.bits = 4, .pixel_offset = 54 + 15 * 4})))
      << "the sixteen-entry table reaches past the offset";
  auto file = testing::WriteBmp(indexed, {.bits = 8});
  file[46 + 3] = 0x40;  // a colour count of 0x40000000 entries
  EXPECT_FALSE(DecodeBmp(file));
}

TEST(BmpDecoder, CompressionAndOtherDepthsAreRejected) {
  const auto indexed = PatternIndexedImage(4, 4, 16);
  EXPECT_FALSE(DecodeBmp(testing::WriteBmp(indexed, {.bits = 8, .compression = 1}))) << "run-length, 8 bits";
  EXPECT_FALSE(DecodeBmp(testing::WriteBmp(indexed, {.bits = 4, .compression = 2}))) << "run-length, 4 bits";
  EXPECT_FALSE(DecodeBmp(testing::WriteBmp(PatternImage(4, 4), {.bits = 32, .compression = 3})));
  EXPECT_FALSE(DecodeBmp(testing::WriteBmp(PatternImage(4, 4), {.bits = 16})));
  EXPECT_FALSE(DecodeBmp(testing::WriteBmp(PatternImage(4, 4), {.info_size = 12})));
}

TEST(BmpDecoder, SizesThatTheDataCannotHoldAreRejectedBeforeAnythingIsAllocated) {
  auto file = testing::WriteBmp(PatternImage(2, 2));
  ByteWriter width;
  width.I32(0x7FFFFFFF);
  std::copy(width.Data().begin(), width.Data().end(), file.begin() + 18);
  EXPECT_FALSE(DecodeBmp(file));
  ByteWriter height;
  height.I32(INT32_MIN);
  file = testing::WriteBmp(PatternImage(2, 2));
  std::copy(height.Data().begin(), height.Data().end(), file.begin() + 22);
  EXPECT_FALSE(DecodeBmp(file));
  file = testing::WriteBmp(PatternImage(2, 2));
  file[22] = file[23] = file[24] = file[25] = 0;
  EXPECT_FALSE(DecodeBmp(file)) << "no rows";
}

TEST(BmpDecoder, EveryCutShortFileIsRejected) {
  testing::ExpectEveryCutRejected(testing::WriteBmp(PatternImage(5, 3)), DecodeBmp);
  testing::ExpectEveryCutRejected(testing::WriteBmp(PatternIndexedImage(9, 3, 4), {.bits = 1}), DecodeBmp);
  testing::ExpectEveryCutRejected(
      testing::WriteBmp(PatternIndexedImage(3, 3, 16), {.bits = 8, .top_down = true}), DecodeBmp);
}

}  // namespace
}  // namespace quarrow
