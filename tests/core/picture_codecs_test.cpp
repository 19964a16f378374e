// JPEG and PNG through their libraries, written here with the same libraries' writers, and the decoder that
// picks by kind.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "internals/alpha_blend.h"
#include "internals/jpeg_decoder.h"
#include "internals/picture_decoder.h"
#include "internals/png_decoder.h"
#include "tests/support/decoded_pixels.h"
#include "tests/support/library_picture_files.h"
#include "tests/support/picture_files.h"

namespace quarrow {
namespace {

using testing::BgraAt;
using testing::JpegSpace;
using testing::PngFormat;
using testing::TrueColourAt;

// Blocks of 8 x 8 pixels (the coding unit), one colour each, so that the coding keeps the colours.
constexpr std::uint32_t kBlocks[2][3] = {{0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFFFF, 0x000000, 0x808040}};
std::uint32_t BlockColour(int x, int y) { return kBlocks[y / 8][x / 8]; }

void ExpectNear(std::uint32_t actual, std::uint32_t expected, int tolerance, const char* what) {
  for (int shift : {0, 8, 16}) {
    const int a = (actual >> shift) & 0xFF;
    const int e = (expected >> shift) & 0xFF;
    EXPECT_LE(std::abs(a - e), tolerance) << what << ": " << std::hex << actual << " for " << expected;
  }
}

Bytes ColourJpeg() {
  std::vector<std::uint8_t> samples;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 24; ++x) {
      const std::uint32_t c = BlockColour(x, y);
      samples.insert(samples.end(), {std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c)});
    }
  }
  return testing::WriteJpeg(24, 16, JpegSpace::kRgb, samples);
}

TEST(JpegDecoder, ColourRowsComeOutBlueGreenRedBottomUp) {
  const auto p = DecodeJpeg(ColourJpeg());
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->kind, PictureKind::kJpeg);
  EXPECT_EQ(p->width, 24);
  EXPECT_EQ(p->height, 16);
  ASSERT_EQ(p->pixels.size(), 24u * 16 * 3);
  for (int y = 1; y < 16; y += 3) {
    for (int x = 1; x < 24; x += 3) ExpectNear(TrueColourAt(*p, x, y), BlockColour(x, y), 4, "colour");
  }
  // The top-left block is red, and the picture's rows are bottom-up: it lies at the end of the pixels.
  EXPECT_GT(p->pixels[(15 * 24) * 3 + 2], 240);
  EXPECT_LT(p->pixels[(15 * 24) * 3 + 0], 16);
}

TEST(JpegDecoder, GreyIsWidenedToThreeEqualComponents) {
  std::vector<std::uint8_t> samples;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) samples.push_back(x < 8 ? 0x30 : 0xD0);
  }
  const auto p = DecodeJpeg(testing::WriteJpeg(16, 8, JpegSpace::kGrey, samples));
  ASSERT_TRUE(p.has_value());
  const std::uint32_t left = TrueColourAt(*p, 2, 3);
  const std::uint32_t right = TrueColourAt(*p, 12, 3);
  EXPECT_EQ(left, (left & 0xFF) * 0x010101u);
  EXPECT_EQ(right, (right & 0xFF) * 0x010101u);
  ExpectNear(left, 0x303030, 2, "dark");
  ExpectNear(right, 0xD0D0D0, 2, "light");
}

TEST(JpegDecoder, FourComponentFilesAreConvertedToColour) {
  // Inks stored inverted, as Adobe's CMYK files (with their marker, which the writer adds) store them:
  // 255 - cyan, 255 - magenta, 255 - yellow, 255 - black.
  std::vector<std::uint8_t> samples;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 24; ++x) {
      if (x < 8) samples.insert(samples.end(), {255, 0, 0, 255});          // magenta and yellow: red
      else if (x < 16) samples.insert(samples.end(), {255, 255, 255, 128}); // half black: grey
      else samples.insert(samples.end(), {0, 255, 255, 255});               // cyan
    }
  }
  for (JpegSpace stored : {JpegSpace::kCmyk, JpegSpace::kYcck}) {
    const auto p = DecodeJpeg(testing::WriteJpeg(24, 8, stored, samples));
    ASSERT_TRUE(p.has_value()) << "stored as " << static_cast<int>(stored);
    ExpectNear(TrueColourAt(*p, 3, 3), 0xFF0000, 4, "red");
    ExpectNear(TrueColourAt(*p, 11, 3), 0x808080, 4, "grey");
    ExpectNear(TrueColourAt(*p, 19, 3), 0x00FFFF, 4, "cyan");
  }
}

TEST(JpegDecoder, BrokenAndOversizedFilesAreRejected) {
  const Bytes good = ColourJpeg();
  Bytes garbage(good.begin(), good.begin() + 2);
  garbage.insert(garbage.end(), 200, 0x55);
  EXPECT_FALSE(DecodeJpeg(garbage));
  // Height and width in the frame header made 16384 each: far more pixels than a picture may have.
  Bytes huge = good;
  for (std::size_t i = 0; i + 8 < huge.size(); ++i) {
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
      huge[i + 5] = 0x40;
      huge[i + 6] = 0x00;
      huge[i + 7] = 0x40;
      huge[i + 8] = 0x00;
      break;
    }
  }
  EXPECT_FALSE(DecodeJpeg(huge));
}

TEST(JpegDecoder, EveryCutShortFileIsRejected) {
  testing::ExpectEveryCutRejected(ColourJpeg(), DecodeJpeg);
}

const std::vector<std::uint8_t> kRgba = {
    0xFF, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x80, 0x00, 0x00, 0xFF, 0x00,
    0x12, 0x34, 0x56, 0xFF, 0xAB, 0xCD, 0xEF, 0x01, 0x40, 0x40, 0x40, 0xFE,
};

TEST(PngDecoder, PixelsComeOutBlueGreenRedAlphaTopDown) {
  const auto p = DecodePng(testing::WritePng(3, 2, PngFormat::kRgba, kRgba));
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->kind, PictureKind::kPng);
  EXPECT_EQ(p->width, 3);
  EXPECT_EQ(p->height, 2);
  ASSERT_EQ(p->pixels.size(), 3u * 2 * 4);
  EXPECT_EQ(BgraAt(*p, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(BgraAt(*p, 1, 0), 0x8000FF00u);
  EXPECT_EQ(BgraAt(*p, 2, 0) >> 24, 0u);
  EXPECT_EQ(BgraAt(*p, 0, 1), 0xFF123456u);
  EXPECT_EQ(BgraAt(*p, 1, 1), 0x01ABCDEFu);
  EXPECT_EQ(BgraAt(*p, 2, 1), 0xFE404040u);
}

TEST(PngDecoder, OverABackgroundTransparentPixelsTakeItExactlyAndOpaqueOnesStay) {
  auto p = DecodePng(testing::WritePng(3, 2, PngFormat::kRgba, kRgba));
  ASSERT_TRUE(p.has_value());
  ComposeOverBackground(p->pixels, 0x00336699);  // red 0x99, green 0x66, blue 0x33
  EXPECT_EQ(BgraAt(*p, 2, 0), 0xFF996633u);
  EXPECT_EQ(BgraAt(*p, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(BgraAt(*p, 0, 1), 0xFF123456u);
}

TEST(PngDecoder, GreyAndPalettePicturesBecomeOpaqueColour) {
  const auto grey = DecodePng(testing::WritePng(2, 1, PngFormat::kGrey, {0x00, 0x7F}));
  ASSERT_TRUE(grey.has_value());
  EXPECT_EQ(BgraAt(*grey, 0, 0), 0xFF000000u);
  EXPECT_EQ(BgraAt(*grey, 1, 0), 0xFF7F7F7Fu);
  const auto colour = DecodePng(testing::WritePng(2, 1, PngFormat::kRgb, {1, 2, 3, 250, 251, 252}));
  ASSERT_TRUE(colour.has_value());
  EXPECT_EQ(BgraAt(*colour, 1, 0), 0xFFFAFBFCu);
}

TEST(PngDecoder, BrokenFilesAreRejected) {
  Bytes file = testing::WritePng(3, 2, PngFormat::kRgba, kRgba);
  Bytes crc = file;
  crc[8 + 8 + 3] ^= 0x01;  // the width in the header chunk: its check sum no longer holds
  EXPECT_FALSE(DecodePng(crc));
  Bytes depth = file;
  depth[8 + 8 + 8] = 3;  // no such bit depth (the check sum is not what fails first here: both do)
  EXPECT_FALSE(DecodePng(depth));
  EXPECT_FALSE(DecodePng(Bytes(file.begin(), file.begin() + 7)));
  // The end chunk is not read: the picture is complete before it.
  testing::ExpectEveryCutRejected(file, DecodePng, {file.size() - 12, file.size() - 11, file.size() - 10,
                                                    file.size() - 9, file.size() - 8, file.size() - 7,
                                                    file.size() - 6, file.size() - 5, file.size() - 4,
                                                    file.size() - 3, file.size() - 2, file.size() - 1});
}

TEST(PictureData, TheKindPicksTheDecoder) {
  const auto bmp = testing::WriteBmp(testing::PatternImage(3, 2));
  auto decoded = DecodePictureData(bmp.data(), static_cast<std::ptrdiff_t>(bmp.size()));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->picture.kind, PictureKind::kBmp);

  const auto gif = testing::WriteGif(testing::PatternIndexedImage(3, 2, 4), {.min_code_size = 2});
  decoded = DecodePictureData(gif.data(), static_cast<std::ptrdiff_t>(gif.size()));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->picture.kind, PictureKind::kGif);

  const auto pcx1 = testing::WritePcx(testing::PatternIndexedImage(9, 2, 2), {.bits = 1, .version = 3});
  decoded = DecodePictureData(pcx1.data(), static_cast<std::ptrdiff_t>(pcx1.size()));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->picture.kind, PictureKind::kPcx1);

  const auto jpeg = ColourJpeg();
  decoded = DecodePictureData(jpeg.data(), static_cast<std::ptrdiff_t>(jpeg.size()));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->picture.kind, PictureKind::kJpeg);

  const auto png = testing::WritePng(3, 2, PngFormat::kRgba, kRgba);
  decoded = DecodePictureData(png.data(), static_cast<std::ptrdiff_t>(png.size()));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->picture.kind, PictureKind::kPng);

  const auto image = testing::IconImageBits(testing::PatternImage(16, 16));
  const auto ico = testing::WriteIconFile(1, {{16, 16, 0, 1, 32, image}});
  decoded = DecodePictureData(ico.data(), static_cast<std::ptrdiff_t>(ico.size()));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->picture.kind, PictureKind::kIcon);
  EXPECT_EQ(decoded->picture.width, 16);
  EXPECT_EQ(decoded->icon.image.data(), ico.data() + 22) << "the chosen image, within the given bytes";
}

TEST(PictureData, ShortAndUnknownDataGiveNothing) {
  const auto bmp = testing::WriteBmp(testing::PatternImage(3, 2));
  EXPECT_FALSE(DecodePictureData(bmp.data(), 0));
  EXPECT_FALSE(DecodePictureData(bmp.data(), -5));
  EXPECT_FALSE(DecodePictureData(nullptr, 100));
  // Seven bytes that start like a picture: fewer than eight readable bytes give nothing.
  const Bytes seven(bmp.begin(), bmp.begin() + 7);
  EXPECT_FALSE(DecodePictureData(seven.data(), 7));
  const Bytes unknown = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'};
  EXPECT_FALSE(DecodePictureData(unknown.data(), static_cast<std::ptrdiff_t>(unknown.size())));
}

}  // namespace
}  // namespace quarrow
