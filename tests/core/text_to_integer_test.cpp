#include "conversions/text_to_integer.h"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

TEST(TextToInteger, ReadsALeadingDecimalNumber) {
  EXPECT_EQ(TextToInteger("  -12abc"), -12);
  EXPECT_EQ(TextToInteger(""), 0);
  EXPECT_EQ(TextToInteger(nullptr), 0);
  EXPECT_EQ(TextToInteger("abc"), 0);
  EXPECT_EQ(TextToInteger("+7"), 7);
  EXPECT_EQ(TextToInteger("\t\r\n 42 43"), 42);
  EXPECT_EQ(TextToInteger("- 5"), 0) << "the sign must touch the digits";
  EXPECT_EQ(TextToInteger("12.9"), 12);
  EXPECT_EQ(TextToInteger("007"), 7);
}

TEST(TextToInteger, OverflowWrapsAt32Bits) {
  EXPECT_EQ(TextToInteger("2147483647"), 2147483647);
  EXPECT_EQ(TextToInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(TextToInteger("2147483648"), INT32_MIN);
  EXPECT_EQ(TextToInteger("4294967297"), 1);
  EXPECT_EQ(TextToInteger("99999999999999999999"), 1661992959);
}

TEST(TextToInteger, FullWidthDigitsSignsAndSpacesCount) {
  EXPECT_EQ(TextToInteger("１２"), 12);
  EXPECT_EQ(TextToInteger("－３４５"), -345);
  EXPECT_EQ(TextToInteger("＋９"), 9);
  EXPECT_EQ(TextToInteger("　　８"), 8) << "full-width spaces are white space once folded";
  EXPECT_EQ(TextToInteger("1２3"), 123) << "half-width and full-width digits mix";
  EXPECT_EQ(TextToInteger("五"), 0);
}

TEST(FoldFullWidthForms, FoldsOnlyTheListedPairs) {
  EXPECT_EQ(FoldFullWidthForms("ＡＢｃ！～"), "ABc!~");
  EXPECT_EQ(FoldFullWidthForms("\xA1\xA1\xA1\xAB\xA1\xEE\xA1\xEF"), " ~**");
  EXPECT_EQ(FoldFullWidthForms("地址"), "地址") << "other double-byte characters pass unchanged";
  EXPECT_EQ(FoldFullWidthForms("\xA3\xA0\xA3\xFF"), "\xA3\xA0\xA3\xFF") << "A3A0 and A3FF are not folded";
  EXPECT_EQ(FoldFullWidthForms("\xA1\xA2"), "\xA1\xA2");
}

TEST(FoldFullWidthForms, WalksCharactersAndDropsALeadByteAtTheEnd) {
  EXPECT_EQ(FoldFullWidthForms("12\xB5"), "12");
  EXPECT_EQ(FoldFullWidthForms("\xB5"), "");
  // The trail byte of 丁 (B6A1) followed by A3B1 must not be read as a pair starting at A1.
  EXPECT_EQ(FoldFullWidthForms("\xB6\xA1\xA3\xB1"), "\xB6\xA1" "1");
  EXPECT_EQ(FoldFullWidthForms("\xA3\x31"), "\xA3\x31") << "a trail byte below 0xA1 leaves the pair as it is";
}

}  // namespace
}  // namespace quarrow
