#include "internals/pcx_decoder.h"

#include <gtest/gtest.h>

#include "tests/support/decoded_pixels.h"
#include "tests/support/picture_files.h"

namespace quarrow {
namespace {

using testing::BitAt;
using testing::IndexAt;
using testing::PatternIndexedImage;
using testing::PcxOptions;
using testing::TableColour;

TEST(PcxDecoder, EightBitsBecomeAnIndexedBitmapWithTheTrailingColourTable) {
  const auto image = PatternIndexedImage(5, 4, 256);
  const auto p = DecodePcx(testing::WritePcx(image));
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->kind, PictureKind::kPcx8);
  EXPECT_EQ(p->width, 5);
  EXPECT_EQ(p->height, 4);
  ASSERT_EQ(p->pixels.size(), kIndexedHeaderSize + 8 * 4) << "rows padded to 4 bytes";
  ByteReader header(p->pixels);
  header.Skip(8);
  EXPECT_EQ(header.I32(), -4) << "rows top-down";
  for (int i = 0; i < 256; ++i) ASSERT_EQ(TableColour(*p, i), image.palette[i]) << "colour " << i;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(IndexAt(*p, x, y), image.At(x, y)) << x << "," << y;
  }
}

TEST(PcxDecoder, LinesLongerThanTheWidthAndAWindowAwayFromTheOrigin) {
  const auto image = PatternIndexedImage(7, 3, 64);
  const auto p = DecodePcx(testing::WritePcx(image, {.extra_bytes_per_line = 4, .xmin = 100, .ymin = 20}));
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->width, 7);
  EXPECT_EQ(p->height, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) EXPECT_EQ(IndexAt(*p, x, y), image.At(x, y)) << x << "," << y;
  }
}

TEST(PcxDecoder, OneBitBecomesMonochromeRowsPaddedToEvenBytes) {
  const auto image = PatternIndexedImage(19, 3, 2);
  const auto p = DecodePcx(testing::WritePcx(image, {.bits = 1, .version = 3}));
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->kind, PictureKind::kPcx1);
  ASSERT_EQ(p->pixels.size(), 4u * 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 19; ++x) EXPECT_EQ(BitAt(*p, x, y), image.At(x, y)) << x << "," << y;
  }
}

TEST(PcxDecoder, RunLengthCoding) {
  // Header for a 4 x 1 picture; then a run of three 0x07, and 0xC0 on its own, which is a pixel, not a run.
  auto file = testing::WritePcx(PatternIndexedImage(4, 1, 2), {.colour_table = false});
  file.resize(128);
  for (std::uint8_t b : {0xC3, 0x07, 0xC0}) file.push_back(b);
  auto p = DecodePcx(file);
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(IndexAt(*p, 0, 0), 7);
  EXPECT_EQ(IndexAt(*p, 2, 0), 7);
  EXPECT_EQ(IndexAt(*p, 3, 0), 0xC0);
  // A run reaching past the image's end is cut there.
  file.resize(128);
  for (std::uint8_t b : {0xC9, 0x05}) file.push_back(b);
  p = DecodePcx(file);
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(IndexAt(*p, 3, 0), 5);
}

TEST(PcxDecoder, LinesFarLongerThanTheirPixelsAndRunsAcrossLineEnds) {
  // 3 x 2 pixels in lines of 200 bytes. The first line: a 9, a run of 63 fours, 135 single zeros, and a run of
  // three sixes whose last two are the second line's first pixels; then a 5 and runs of 63 for its padding, the
  // last one cut at the end of the image.
  auto file = testing::WritePcx(PatternIndexedImage(3, 2, 2), {.colour_table = false});
  file.resize(128);
  file[66] = 200;
  file[67] = 0;
  for (std::uint8_t b : {0x09, 0xFF, 0x04}) file.push_back(b);  // 9, then 63 times 4: pixels 9 4 4
  for (int i = 0; i < 135; ++i) file.push_back(0x00);            // padding up to 199
  for (std::uint8_t b : {0xC3, 0x06, 0x05}) file.push_back(b);  // 6 | 6 6 5
  for (int i = 0; i < 4; ++i) {
    file.push_back(0xFF);
    file.push_back(0x01);
  }
  const auto p = DecodePcx(file);
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(IndexAt(*p, 0, 0), 9);
  EXPECT_EQ(IndexAt(*p, 1, 0), 4);
  EXPECT_EQ(IndexAt(*p, 2, 0), 4);
  EXPECT_EQ(IndexAt(*p, 0, 1), 6);
  EXPECT_EQ(IndexAt(*p, 1, 1), 6);
  EXPECT_EQ(IndexAt(*p, 2, 1), 5);
}

TEST(PcxDecoder, AShortFileClaimingHugeLinesIsRefusedWithoutRoomForThem) {
  // One pixel wide, 18438 lines of 65535 bytes: 1.2 GB of lines that 8 bytes of runs cannot make.
  auto file = testing::WritePcx(PatternIndexedImage(1, 1, 2), {.colour_table = false});
  file.resize(128);
  file[10] = 0x05;
  file[11] = 0x48;
  file[66] = 0xFF;
  file[67] = 0xFF;
  for (std::uint8_t b : {0xFF, 0x01, 0xFF, 0x02, 0xFF, 0x03, 0xFF, 0x04}) file.push_back(b);
  EXPECT_FALSE(DecodePcx(file).has_value());
  // The same claim met by the data decodes: the limit is what the runs can make, not a guess.
  file[10] = 0x01;
  file[11] = 0x00;
  file[66] = 0x40;
  file[67] = 0x00;
  EXPECT_TRUE(DecodePcx(file).has_value()) << "2 lines of 64 bytes from runs of 63";
}

TEST(PcxDecoder, WithoutTheColourTableMarkerTheTableStaysBlack) {
  const auto image = PatternIndexedImage(4, 2, 16);
  auto file = testing::WritePcx(image);
  const std::size_t marker = file.size() - 769;
  ASSERT_EQ(file[marker], 0x0C);
  file[marker] = 0x0B;
  const auto p = DecodePcx(file);
  ASSERT_TRUE(p.has_value());
  for (int i = 0; i < 256; ++i) ASSERT_EQ(TableColour(*p, i), 0u);
  EXPECT_EQ(IndexAt(*p, 1, 1), image.At(1, 1));
}

TEST(PcxDecoder, OtherLayoutsAreRejected) {
  const auto image = PatternIndexedImage(4, 2, 16);
  EXPECT_FALSE(DecodePcx(testing::WritePcx(image, {.version = 6})));
  EXPECT_FALSE(DecodePcx(testing::WritePcx(image, {.bits = 4})));
  EXPECT_FALSE(DecodePcx(testing::WritePcx(image, {.planes = 3}))) << "true colour in three planes";
  EXPECT_FALSE(DecodePcx(testing::WritePcx(image, {.bits = 1, .planes = 4})));

  auto file = testing::WritePcx(image);
  auto reversed = file;
  reversed[8] = 0;  // xmax below xmin
  reversed[4] = 1;
  EXPECT_FALSE(DecodePcx(reversed));
  auto short_lines = file;
  short_lines[66] = 2;  // fewer bytes per line than the width needs
  EXPECT_FALSE(DecodePcx(short_lines));
  auto wrong_maker = file;
  wrong_maker[0] = 0x0B;
  EXPECT_FALSE(DecodePcx(wrong_maker));
  file.resize(128);
  EXPECT_FALSE(DecodePcx(file)) << "a header alone";
}

TEST(PcxDecoder, EveryCutShortFileIsRejected) {
  const auto eight = testing::WritePcx(PatternIndexedImage(6, 5, 256));
  // Cut right before the marker, the file is a picture without a colour table; any other cut loses data.
  testing::ExpectEveryCutRejected(eight, DecodePcx, {eight.size() - 769});
  testing::ExpectEveryCutRejected(testing::WritePcx(PatternIndexedImage(21, 4, 2), {.bits = 1, .version = 3}),
                                  DecodePcx);
}

}  // namespace
}  // namespace quarrow
