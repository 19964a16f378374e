// EditBox's input rules without a window: the keystroke filter, normalisation per input mode, date-time texts and
// the automatic adjuster's step.
#include "units/edit_box_input.h"

#include <gtest/gtest.h>

#include "units/edit_box_properties.h"

namespace quarrow::edit_box {
namespace {

TEST(EditBoxInput, EachModeLetsThroughItsCharactersAndControlCodesAlways) {
  struct Case {
    std::int32_t mode;
    const char* allowed;
    const char* refused;
  };
  const Case cases[] = {
      {kModeNormal, "a-.1 ", ""},        {kModeReadOnly, "a-.1", ""},     {kModePassword, "a-.1", ""},
      {kModeIntegerText, "-0129", "a.+ "}, {kModeDecimalText, "-.09", "a+e"}, {kModeByte, "0189", "-.a"},
      {kModeShort, "-09", ".a"},         {kModeInt, "-09", ".a"},         {kModeLong, "-09", ".a"},
      {kModeFloat, "-.09", "ae+"},       {kModeDouble, "-.09", "ae+"},    {kModeDateTime, "a-.1:/ ", ""},
  };
  for (const Case& c : cases) {
    for (const char* p = c.allowed; *p; ++p) EXPECT_TRUE(KeystrokeAllowed(c.mode, static_cast<unsigned char>(*p))) << c.mode << " " << *p;
    for (const char* p = c.refused; *p; ++p) EXPECT_FALSE(KeystrokeAllowed(c.mode, static_cast<unsigned char>(*p))) << c.mode << " " << *p;
    for (std::uint32_t control : {8u, 9u, 13u, 27u, 31u}) EXPECT_TRUE(KeystrokeAllowed(c.mode, control));
  }
  EXPECT_FALSE(KeystrokeAllowed(kModeInt, 0xB0)) << "a double-byte character is no digit";
  EXPECT_TRUE(KeystrokeAllowed(kModeNormal, 0xB0));
}

TEST(EditBoxInput, IntegerModesClampTheLeadingNumberAndShowZeroAsNothing) {
  EXPECT_EQ(NormalisedText(kModeByte, "300"), "255");
  EXPECT_EQ(NormalisedText(kModeByte, "-5"), "");
  EXPECT_EQ(NormalisedText(kModeByte, "12abc"), "12");
  EXPECT_EQ(NormalisedText(kModeByte, "  +7"), "7");
  EXPECT_EQ(NormalisedText(kModeByte, "abc"), "");
  EXPECT_EQ(NormalisedText(kModeByte, "99999999999999999999999"), "255") << "no wrap-around past 64 bits";
  EXPECT_EQ(NormalisedText(kModeShort, "40000"), "32767");
  EXPECT_EQ(NormalisedText(kModeShort, "-40000"), "-32768");
  EXPECT_EQ(NormalisedText(kModeShort, "0"), "");
  EXPECT_EQ(NormalisedText(kModeInt, "2147483648"), "2147483647");
  EXPECT_EQ(NormalisedText(kModeInt, "-2147483649"), "-2147483648");
  EXPECT_EQ(NormalisedText(kModeInt, "4294967296"), "2147483647");
  EXPECT_EQ(NormalisedText(kModeLong, "9223372036854775807"), "9223372036854775807");
  EXPECT_EQ(NormalisedText(kModeLong, "9223372036854775808"), "9223372036854775807");
  EXPECT_EQ(NormalisedText(kModeLong, "-9223372036854775808"), "-9223372036854775808");
  EXPECT_EQ(NormalisedText(kModeLong, "-0012x"), "-12");
}

TEST(EditBoxInput, TextModesLeaveTheTextAlone) {
  for (std::int32_t mode : {kModeNormal, kModeReadOnly, kModePassword, kModeIntegerText, kModeDecimalText}) {
    EXPECT_EQ(NormalisedText(mode, "--12"), "--12");
    EXPECT_EQ(NormalisedText(mode, ""), "");
  }
}

TEST(EditBoxInput, FloatingModesUseSixAndThirteenSignificantDigits) {
  EXPECT_EQ(NormalisedText(kModeFloat, "3.14159265358979"), "3.14159");
  EXPECT_EQ(NormalisedText(kModeDouble, "3.14159265358979"), "3.14159265359");
  EXPECT_EQ(NormalisedText(kModeFloat, "0.1"), "0.1");
  EXPECT_EQ(NormalisedText(kModeDouble, "-2.5e3x"), "-2500");
  EXPECT_EQ(NormalisedText(kModeDouble, "1e20"), "1e+020");
  EXPECT_EQ(NormalisedText(kModeFloat, "1e300"), "1.#INF") << "beyond single precision";
  EXPECT_EQ(NormalisedText(kModeDouble, "."), "");
  EXPECT_EQ(NormalisedText(kModeDouble, "-0"), "");
  EXPECT_EQ(NormalisedText(kModeFloat, "12.5e"), "12.5") << "an exponent without digits is not read";
}

TEST(EditBoxInput, DateTimesAreReadInTheUsualFormsAndWrittenInTheLongOne) {
  EXPECT_EQ(NormalisedText(kModeDateTime, "2024-2-30"), "") << "no such day";
  EXPECT_EQ(NormalisedText(kModeDateTime, "2024年2月29日"), "2024年2月29日");
  EXPECT_EQ(NormalisedText(kModeDateTime, "2023-2-29"), "");
  EXPECT_EQ(NormalisedText(kModeDateTime, "1900/2/29"), "") << "divisible by 100, not by 400";
  EXPECT_EQ(NormalisedText(kModeDateTime, "2000.2.29"), "2000年2月29日");
  EXPECT_EQ(NormalisedText(kModeDateTime, "2024-5-3 8:05"), "2024年5月3日8时5分");
  EXPECT_EQ(NormalisedText(kModeDateTime, "2024-5-3 8:05:09"), "2024年5月3日8时5分9秒");
  EXPECT_EQ(NormalisedText(kModeDateTime, "2024-5-3 8"), "2024年5月3日8时");
  EXPECT_EQ(NormalisedText(kModeDateTime, "2024年5月3日8时0分7秒"), "2024年5月3日8时0分7秒");
  EXPECT_EQ(NormalisedText(kModeDateTime, "２０２４－５－３"), "2024年5月3日") << "full-width forms";
  EXPECT_EQ(NormalisedText(kModeDateTime, "2024-5-3 24:00"), "");
  EXPECT_EQ(NormalisedText(kModeDateTime, "2024-5-3 8:60"), "");
  EXPECT_EQ(NormalisedText(kModeDateTime, "99-1-1"), "") << "years start at 100";
  EXPECT_EQ(NormalisedText(kModeDateTime, "2024-13-1"), "");
  EXPECT_EQ(NormalisedText(kModeDateTime, "2024-5"), "") << "the day is required";
  EXPECT_EQ(NormalisedText(kModeDateTime, "2024-5-3x"), "") << "trailing characters";
  EXPECT_EQ(NormalisedText(kModeDateTime, "1899-12-30"), "") << "the zero date";
  EXPECT_EQ(NormalisedText(kModeDateTime, "1899-12-30 0:0:1"), "1899年12月30日0时0分1秒");
  EXPECT_EQ(NormalisedText(kModeDateTime, "hello"), "");
}

TEST(EditBoxInput, TheAutomaticAdjusterStepsAndWrapsAround) {
  EXPECT_EQ(AdjustedValue("100", 0, 100, 1), 0);
  EXPECT_EQ(AdjustedValue("0", 0, 100, -1), 100);
  EXPECT_EQ(AdjustedValue("41", 0, 100, 1), 42);
  EXPECT_EQ(AdjustedValue("41", 0, 100, -1), 40);
  EXPECT_EQ(AdjustedValue("41", 100, 0, 1), 42) << "bounds in either order";
  EXPECT_EQ(AdjustedValue("", 5, 10, 1), 5) << "no number is 0, outside the range";
  EXPECT_EQ(AdjustedValue("500", 0, 100, -1), 100);
  EXPECT_EQ(AdjustedValue("2147483647", -5, 2147483647, 1), -5);
  EXPECT_EQ(AdjustedValue("-2147483648", -2147483647 - 1, 0, -1), 0);
}

}  // namespace
}  // namespace quarrow::edit_box
