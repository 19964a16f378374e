#include "internals/picture_kind.h"

#include <gtest/gtest.h>

#include <vector>

namespace quarrow {
namespace {

PictureKind Detect(std::vector<std::uint8_t> bytes) { return DetectPictureKind(bytes.data(), bytes.size()); }

TEST(PictureKind, FewerThanSixBytesAreNothingWhateverTheyHold) {
  EXPECT_EQ(Detect({'B', 'M', 0, 0, 0}), PictureKind::kNone);
  EXPECT_EQ(Detect({0xFF, 0xD8, 0xFF, 0xE0, 0}), PictureKind::kNone);
  EXPECT_EQ(DetectPictureKind(nullptr, 100), PictureKind::kNone);
  EXPECT_EQ(Detect({'B', 'M', 0, 0, 0, 0}), PictureKind::kBmp);
}

TEST(PictureKind, SignaturesOfTheByteFormats) {
  EXPECT_EQ(Detect({0xFF, 0xD8, 0xFF, 0xDB, 0, 0}), PictureKind::kJpeg);
  EXPECT_EQ(Detect({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}), PictureKind::kPng);
  EXPECT_EQ(Detect({0x89, 'P', 'N', 'X', 0x0D, 0x0A}), PictureKind::kNone);
  EXPECT_EQ(Detect({'B', 'N', 0, 0, 0, 0}), PictureKind::kNone);
}

TEST(PictureKind, IconAndCursorDirectoriesNeedAnEntry) {
  EXPECT_EQ(Detect({0, 0, 1, 0, 1, 0}), PictureKind::kIcon);
  EXPECT_EQ(Detect({0, 0, 2, 0, 3, 0}), PictureKind::kCursor);
  EXPECT_EQ(Detect({0, 0, 1, 0, 0, 0}), PictureKind::kNone);
  EXPECT_EQ(Detect({0, 0, 3, 0, 1, 0}), PictureKind::kNone);
  EXPECT_EQ(Detect({1, 0, 1, 0, 1, 0}), PictureKind::kNone);
}

TEST(PictureKind, OnlyTheTwoGifSignatures) {
  EXPECT_EQ(Detect({'G', 'I', 'F', '8', '7', 'a'}), PictureKind::kGif);
  EXPECT_EQ(Detect({'G', 'I', 'F', '8', '9', 'a'}), PictureKind::kGif);
  EXPECT_EQ(Detect({'G', 'I', 'F', '8', '8', 'a'}), PictureKind::kNone);
  EXPECT_EQ(Detect({'G', 'I', 'F', '8', '9', 'b'}), PictureKind::kNone);
}

TEST(PictureKind, PcxVersionsAndDepths) {
  for (std::uint8_t version = 0; version <= 5; ++version) {
    EXPECT_EQ(Detect({0x0A, version, 1, 8, 0, 0}), PictureKind::kPcx8) << int{version};
  }
  EXPECT_EQ(Detect({0x0A, 6, 1, 8, 0, 0}), PictureKind::kNone);
  EXPECT_EQ(Detect({0x0A, 5, 0, 8, 0, 0}), PictureKind::kNone) << "not run-length coded";
  EXPECT_EQ(Detect({0x0A, 3, 1, 1, 0, 0}), PictureKind::kPcx1);
  EXPECT_EQ(Detect({0x0A, 5, 1, 1, 0, 0}), PictureKind::kNone) << "1-bit files are recognised as version 3 only";
  EXPECT_EQ(Detect({0x0A, 3, 1, 4, 0, 0}), PictureKind::kNone);
}

TEST(PictureKind, TheFirstMatchingRuleWins) {
  // "BM" comes before the icon rule, which these bytes would also pass were they not "BM".
  EXPECT_EQ(Detect({'B', 'M', 1, 0, 1, 0}), PictureKind::kBmp);
  // A directory header that is also a valid start for nothing else.
  EXPECT_EQ(Detect({0, 0, 2, 0, 1, 0, 'G', 'I'}), PictureKind::kCursor);
}

}  // namespace
}  // namespace quarrow
