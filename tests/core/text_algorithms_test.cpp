#include "commands/text_algorithms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarrow {
namespace {

TEST(TextLength, CountsBytes) {
  EXPECT_EQ(TextLength("地址"), 4);
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength(nullptr), 0);
  EXPECT_EQ(TextLength("abc"), 3);
}

TEST(TrimAllSpaces, DropsHalfAndFullWidthSpacesOnly) {
  EXPECT_EQ(TrimAllSpaces(" 1 2　3 "), "123");
  EXPECT_EQ(TrimAllSpaces("　"), "");
  EXPECT_EQ(TrimAllSpaces(""), "");
  EXPECT_EQ(TrimAllSpaces(nullptr), "");
  EXPECT_EQ(TrimAllSpaces("\ta\r\nb"), "\ta\r\nb") << "tabs and line breaks are not spaces";
  EXPECT_EQ(TrimAllSpaces(" 人民 路 "), "人民路");
}

TEST(TrimAllSpaces, KeepsCharactersWhoseTrailByteLooksLikeASpace) {
  // 丁 is B6 A1 and 丂 is 81 A1: their trail byte followed by A1 must not be read as a full-width space.
  EXPECT_EQ(TrimAllSpaces("\xB6\xA1\xA1\xA1"), "\xB6\xA1");
  EXPECT_EQ(TrimAllSpaces("\x81\xA1\xA1\xB0"), "\x81\xA1\xA1\xB0");
  EXPECT_EQ(TrimAllSpaces("\xA1\xA2"), "\xA1\xA2") << "other A1 characters survive";
  EXPECT_EQ(TrimAllSpaces("\xB0 x"), "\xB0 x") << "a lead byte takes the next byte with it, whatever it is";
}

TEST(TrimAllSpaces, DropsALeadByteBeforeTheEnd) {
  EXPECT_EQ(TrimAllSpaces("ab\xB5"), "ab");
  EXPECT_EQ(TrimAllSpaces(" \xA1"), "");
}

std::string Repeat(std::int32_t count, std::string_view piece) {
  const std::optional<std::size_t> length = RepeatedLength(count, piece.size());
  if (!length) return "<too long>";
  std::vector<char> out(*length + 1, '?');
  WriteRepeated(out.data(), count, piece);
  EXPECT_EQ(out.back(), '\0');
  return std::string(out.data());
}

TEST(RepeatText, RepeatsThePiece) {
  EXPECT_EQ(Repeat(3, "0"), "000");
  EXPECT_EQ(Repeat(2, "ab"), "abab");
  EXPECT_EQ(Repeat(-1, "0"), "");
  EXPECT_EQ(Repeat(2, ""), "");
  EXPECT_EQ(Repeat(0, "xyz"), "");
  EXPECT_EQ(Repeat(2, "路"), "路路");
}

TEST(RepeatText, ALengthBeyondATextIsRefusedBeforeAnythingIsWritten) {
  EXPECT_EQ(RepeatedLength(INT32_MAX, 1), std::optional<std::size_t>(INT32_MAX));
  EXPECT_EQ(RepeatedLength(INT32_MAX, 2), std::nullopt) << "the product does not wrap to a small size";
  EXPECT_EQ(RepeatedLength(0x40000000, 4), std::nullopt) << "2^32 would wrap to 0 in 32 bits";
  EXPECT_EQ(RepeatedLength(3, 5), std::optional<std::size_t>(15));
}

TEST(CharFromCode, TakesTheLowEightBits) {
  EXPECT_EQ(CharFromCode(65), "A");
  EXPECT_EQ(CharFromCode(0), "");
  EXPECT_EQ(CharFromCode(-38), "\xDA");
  EXPECT_EQ(CharFromCode(256 - 38), "\xDA");
  EXPECT_EQ(CharFromCode(256), "") << "low byte zero";
  EXPECT_EQ(CharFromCode(0x141), "A");
  EXPECT_EQ(CharFromCode(256 - 80) + CharFromCode(256 - 80), "鞍") << "two codes make a GB2312 character";
}

}  // namespace
}  // namespace quarrow
