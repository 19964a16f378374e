#include "internals/icon_directory.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/decoded_pixels.h"
#include "tests/support/picture_files.h"

namespace quarrow {
namespace {

using testing::IconEntry;
using testing::IconImageBits;
using testing::PatternImage;

// Entries of different size or colour count have different image bytes.
IconEntry Entry(int size, std::uint8_t colours) {
  IconEntry e{static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size), colours, 1, 32,
              IconImageBits(PatternImage(size, size))};
  e.image[40] = colours;
  return e;
}

bool SameBytes(std::span<const std::uint8_t> a, const Bytes& b) { return std::ranges::equal(a, b); }

TEST(IconDirectory, AFileOfSixteenPixelEntriesShowsItsLastEntry) {
  auto first = Entry(16, 16);
  const auto last = Entry(16, 0);
  const Bytes file = testing::WriteIconFile(1, {first, last});
  const auto icon = ChooseIconImage(file);
  ASSERT_TRUE(icon.has_value());
  EXPECT_EQ(icon->kind, PictureKind::kIcon);
  EXPECT_TRUE(SameBytes(icon->image, last.image));
  EXPECT_EQ(icon->width, 16);
  EXPECT_EQ(icon->height, 16) << "half the bitmap's height: colour rows, then mask rows";
  EXPECT_EQ(icon->bits_per_pixel, 32);
  EXPECT_FALSE(icon->png);
}

TEST(IconDirectory, TheFirstThirtyTwoPixelEntryWithMoreThanFifteenColoursWins) {
  const auto wanted = Entry(32, 16);
  const Bytes file = testing::WriteIconFile(1, {Entry(16, 16), Entry(32, 15), wanted, Entry(32, 255), Entry(48, 0)});
  const auto icon = ChooseIconImage(file);
  ASSERT_TRUE(icon.has_value());
  EXPECT_TRUE(SameBytes(icon->image, wanted.image));
  EXPECT_EQ(icon->width, 32);

  // A true-colour entry says 0 colours, so it is passed over like any other.
  const auto last = Entry(48, 0);
  const auto chosen = ChooseIconImage(testing::WriteIconFile(1, {Entry(32, 0), last}));
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->width, 48);
}

TEST(IconDirectory, TheSizeComesFromTheImageNotTheDirectory) {
  auto entry = Entry(24, 0);
  entry.width = 99;
  entry.height = 7;
  const auto icon = ChooseIconImage(testing::WriteIconFile(2, {entry}));
  ASSERT_TRUE(icon.has_value());
  EXPECT_EQ(icon->kind, PictureKind::kCursor);
  EXPECT_EQ(icon->width, 24);
  EXPECT_EQ(icon->height, 24);
}

TEST(IconDirectory, PngImagesTakeTheirSizeFromTheirHeader) {
  ByteWriter png;
  for (std::uint8_t b : std::initializer_list<std::uint8_t>{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'}) png.U8(b);
  for (std::uint8_t b : std::initializer_list<std::uint8_t>{0, 0, 1, 0, 0, 0, 0, 64, 8, 6, 0, 0, 0}) png.U8(b);
  IconEntry entry{0, 0, 0, 1, 32, png.Release()};
  const auto icon = ChooseIconImage(testing::WriteIconFile(1, {entry}));
  ASSERT_TRUE(icon.has_value());
  EXPECT_TRUE(icon->png);
  EXPECT_EQ(icon->width, 256);
  EXPECT_EQ(icon->height, 64);
}

TEST(IconDirectory, BrokenDirectoriesAreRejected) {
  const Bytes good = testing::WriteIconFile(1, {Entry(16, 0)});
  auto reserved = good;
  reserved[0] = 1;
  EXPECT_FALSE(ChooseIconImage(reserved));
  auto type = good;
  type[2] = 3;
  EXPECT_FALSE(ChooseIconImage(type));
  auto count = good;
  count[4] = 0;
  EXPECT_FALSE(ChooseIconImage(count));
  auto too_many = good;
  too_many[4] = 2;  // the second entry would be read from the image bytes, which say nothing sensible
  EXPECT_FALSE(ChooseIconImage(too_many));
  auto beyond = good;
  beyond[6 + 12] = 0xF0;  // the image starts past the end
  EXPECT_FALSE(ChooseIconImage(beyond));
  auto longer = good;
  longer[6 + 8] += 1;  // the image ends one byte past the end
  EXPECT_FALSE(ChooseIconImage(longer));
}

TEST(IconDirectory, EveryCutShortFileIsRejected) {
  const Bytes file = testing::WriteIconFile(1, {Entry(16, 16), Entry(32, 0)});
  testing::ExpectEveryCutRejected(file, ChooseIconImage);
}

TEST(CursorResource, TheBlockIsTheHotSpotThenTheImage) {
  IconEntry entry = Entry(32, 0);
  entry.planes_or_hot_x = 5;
  entry.bits_or_hot_y = 0x0102;
  const auto cursor = CursorResourceFromCur(testing::WriteIconFile(2, {entry, Entry(16, 0)}));
  ASSERT_TRUE(cursor.has_value());
  EXPECT_EQ(cursor->width, 32);
  EXPECT_EQ(cursor->height, 32);
  ASSERT_EQ(cursor->block.size(), 4 + entry.image.size());
  EXPECT_EQ((Bytes{cursor->block.begin(), cursor->block.begin() + 4}), (Bytes{5, 0, 2, 1}));
  EXPECT_TRUE(SameBytes(std::span(cursor->block).subspan(4), entry.image));
}

TEST(CursorResource, OnlyWholeCursorFiles) {
  const Bytes good = testing::WriteIconFile(2, {Entry(16, 0)});
  EXPECT_FALSE(CursorResourceFromCur(testing::WriteIconFile(1, {Entry(16, 0)}))) << "an icon file";
  auto count = good;
  count[4] = 0;
  EXPECT_FALSE(CursorResourceFromCur(count));
  // An image that starts inside the file but runs past its end.
  auto longer = good;
  longer[6 + 8] += 1;
  EXPECT_FALSE(CursorResourceFromCur(longer));
  // Directory and entry only: 22 bytes are not enough, whatever the entry says.
  Bytes header(good.begin(), good.begin() + 22);
  header[6 + 8] = header[6 + 9] = header[6 + 10] = header[6 + 11] = 0;
  header[6 + 12] = 22;
  EXPECT_FALSE(CursorResourceFromCur(header));
  testing::ExpectEveryCutRejected(good, CursorResourceFromCur);
}

}  // namespace
}  // namespace quarrow
