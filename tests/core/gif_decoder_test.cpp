#include "internals/gif_decoder.h"

#include <gtest/gtest.h>

#include "tests/support/decoded_pixels.h"
#include "tests/support/picture_files.h"

namespace quarrow {
namespace {

using testing::GifOptions;
using testing::IndexAt;
using testing::IndexedImage;
using testing::PatternIndexedImage;
using testing::TableColour;

void ExpectIndexes(const PicturePixels& p, const IndexedImage& image, int left = 0, int top = 0) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      ASSERT_EQ(IndexAt(p, left + x, top + y), image.At(x, y)) << "pixel " << x << "," << y;
    }
  }
}

// Indexes that LZW cannot compress, so that its table fills and is cleared many times.
IndexedImage NoiseImage(int width, int height) {
  IndexedImage image = PatternIndexedImage(width, height, 256);
  std::uint32_t state = 12345;
  for (auto& i : image.indexes) {
    state = state * 1103515245 + 12345;
    i = static_cast<std::uint8_t>(state >> 16);
  }
  return image;
}

TEST(GifDecoder, TheFirstImageBecomesAnIndexedBitmapWithItsColourTable) {
  const auto image = PatternIndexedImage(7, 5, 4);
  const auto p = DecodeGif(testing::WriteGif(image, {.min_code_size = 2}));
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->kind, PictureKind::kGif);
  EXPECT_EQ(p->width, 7);
  EXPECT_EQ(p->height, 5);
  ASSERT_EQ(p->pixels.size(), kIndexedHeaderSize + 8 * 5) << "rows padded to 4 bytes";
  ByteReader header(p->pixels);
  EXPECT_EQ(header.U32(), 40u);
  EXPECT_EQ(header.I32(), 7);
  EXPECT_EQ(header.I32(), -5) << "rows top-down";
  EXPECT_EQ(header.U16(), 1);
  EXPECT_EQ(header.U16(), 8);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(TableColour(*p, i), image.palette[i]);
  EXPECT_EQ(TableColour(*p, 4), 0u);
  ExpectIndexes(*p, image);
  EXPECT_FALSE(p->control.present);
}

TEST(GifDecoder, LzwTablesThatFillUpAndLongRunsDecodeExactly) {
  const auto noise = NoiseImage(120, 90);
  const auto p = DecodeGif(testing::WriteGif(noise));
  ASSERT_TRUE(p.has_value());
  ExpectIndexes(*p, noise);

  IndexedImage runs = PatternIndexedImage(300, 3, 2);
  std::fill(runs.indexes.begin(), runs.indexes.end(), 1);
  runs.indexes[450] = 0;
  const auto q = DecodeGif(testing::WriteGif(runs, {.min_code_size = 2}));
  ASSERT_TRUE(q.has_value());
  ExpectIndexes(*q, runs);
}

TEST(GifDecoder, InterlacedRowsGoBackToTheirPlaces) {
  for (int height : {1, 2, 3, 5, 8, 9, 17}) {
    const auto image = PatternIndexedImage(6, height, 16);
    const auto p = DecodeGif(testing::WriteGif(image, {.interlaced = true, .min_code_size = 4}));
    ASSERT_TRUE(p.has_value());
    ExpectIndexes(*p, image);
  }
}

TEST(GifDecoder, TheGraphicControlIsRecordedAndTheScreenFilledWithTheTransparentIndex) {
  const auto image = PatternIndexedImage(4, 3, 8);
  GifOptions options{.gif89 = true, .screen_width = 10, .screen_height = 6, .left = 5, .top = 2, .background = 6,
                     .min_code_size = 3};
  options.control = GifOptions::Control{.disposal = 2, .transparent = true, .delay = 150, .transparent_index = 7};
  auto p = DecodeGif(testing::WriteGif(image, options));
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->width, 10);
  EXPECT_EQ(p->height, 6);
  EXPECT_TRUE(p->control.present);
  EXPECT_EQ(p->control.disposal, 2);
  EXPECT_TRUE(p->control.transparent);
  EXPECT_EQ(p->control.delay, 150);
  EXPECT_EQ(p->control.transparent_index, 7);
  ExpectIndexes(*p, image, 5, 2);
  EXPECT_EQ(IndexAt(*p, 0, 0), 7);
  EXPECT_EQ(IndexAt(*p, 9, 5), 7);
  EXPECT_EQ(IndexAt(*p, 4, 2), 7);

  options.control->transparent = false;
  p = DecodeGif(testing::WriteGif(image, options));
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(IndexAt(*p, 0, 0), 6) << "without transparency the screen shows the background index";
}

TEST(GifDecoder, AnImageReachingPastTheScreenIsCut) {
  const auto image = PatternIndexedImage(6, 4, 8);
  const auto p = DecodeGif(
      testing::WriteGif(image, {.screen_width = 4, .screen_height = 3, .left = 1, .top = 1, .min_code_size = 3}));
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->width, 4);
  EXPECT_EQ(IndexAt(*p, 3, 2), image.At(2, 1));
}

TEST(GifDecoder, LocalTablesOldSignaturesAndOtherExtensions) {
  const auto image = PatternIndexedImage(5, 5, 16);
  const auto p = DecodeGif(testing::WriteGif(
      image, {.gif89 = false, .local_table = true, .min_code_size = 4, .comment_before_image = true}));
  ASSERT_TRUE(p.has_value());
  for (int i = 0; i < 16; ++i) EXPECT_EQ(TableColour(*p, i), image.palette[i]);
  ExpectIndexes(*p, image);
}

TEST(GifDecoder, MalformedStreamsAreRejected) {
  const auto image = PatternIndexedImage(4, 4, 4);
  auto file = testing::WriteGif(image, {.min_code_size = 2});
  const std::size_t descriptor = 13 + 3 * 4;
  ASSERT_EQ(file[descriptor], 0x2C);

  auto no_image = file;
  no_image[descriptor] = 0x3B;
  EXPECT_FALSE(DecodeGif(no_image)) << "the trailer before any image";
  auto unknown = file;
  unknown[descriptor] = 0x2D;
  EXPECT_FALSE(DecodeGif(unknown));
  auto code_size = file;
  code_size[descriptor + 10] = 0;
  EXPECT_FALSE(DecodeGif(code_size));
  code_size[descriptor + 10] = 9;
  EXPECT_FALSE(DecodeGif(code_size));

  // After the clear code (4), code 7 names an entry that does not exist yet.
  auto bad_code = file;
  bad_code[descriptor + 11] = 1;
  bad_code[descriptor + 12] = 0x04 | (0x07 << 3);
  bad_code[descriptor + 13] = 0;
  bad_code.resize(descriptor + 14);
  EXPECT_FALSE(DecodeGif(bad_code));
}

TEST(GifDecoder, ScreensTooLargeToHoldAreRejected) {
  auto file = testing::WriteGif(PatternIndexedImage(2, 2, 2), {.min_code_size = 2});
  file[6] = file[7] = file[8] = file[9] = 0xFF;
  EXPECT_FALSE(DecodeGif(file));
}

TEST(GifDecoder, EveryCutShortFileIsRejected) {
  const auto file = testing::WriteGif(PatternIndexedImage(9, 7, 16), {.min_code_size = 4});
  // Everything up to the image's last block is needed; the trailer after it is not.
  testing::ExpectEveryCutRejected(file, DecodeGif, {file.size() - 1});
  GifOptions options{.min_code_size = 2};
  options.control = GifOptions::Control{.transparent = true};
  const auto with_control = testing::WriteGif(PatternIndexedImage(3, 3, 4), options);
  testing::ExpectEveryCutRejected(with_control, DecodeGif, {with_control.size() - 1});
}

}  // namespace
}  // namespace quarrow
