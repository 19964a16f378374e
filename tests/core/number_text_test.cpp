#include "conversions/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "conversions/decimal_digits.h"
#include "conversions/general_format.h"

namespace quarrow {
namespace {

double FromBits(std::uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

TEST(DoubleText, FollowsPrintfGeneralFormWithThreeDigitExponents) {
  EXPECT_EQ(DoubleText(0.5), "0.5");
  EXPECT_EQ(DoubleText(100.0), "100");
  EXPECT_EQ(DoubleText(1e20), "1e+020");
  EXPECT_EQ(DoubleText(0.1), "0.1");
  EXPECT_EQ(DoubleText(1.0 / 3), "0.3333333333333");
  EXPECT_EQ(DoubleText(-2.5), "-2.5");
  EXPECT_EQ(DoubleText(0.0), "0");
  EXPECT_EQ(DoubleText(-0.0), "-0");
  EXPECT_EQ(DoubleText(1e-5), "1e-005");
  EXPECT_EQ(DoubleText(0.0001), "0.0001");
  EXPECT_EQ(DoubleText(0.00012345678901234), "0.0001234567890123");
  EXPECT_EQ(DoubleText(1e12), "1000000000000");
  EXPECT_EQ(DoubleText(1e13), "1e+013");
  EXPECT_EQ(DoubleText(123456789012345678.0), "1.234567890123e+017");
  EXPECT_EQ(DoubleText(1e300), "1e+300");
  EXPECT_EQ(DoubleText(1.7976931348623157e308), "1.797693134862e+308");
  EXPECT_EQ(DoubleText(2.2250738585072014e-308), "2.225073858507e-308");
  EXPECT_EQ(DoubleText(4.9406564584124654e-324), "4.940656458412e-324") << "the smallest subnormal";
  EXPECT_EQ(DoubleText(-1234.5678), "-1234.5678");
}

TEST(DoubleText, RoundsHalfAwayFromZeroOnTheExactValue) {
  EXPECT_EQ(DoubleText(1000000000000.5), "1000000000001") << "an exact tie goes up";
  EXPECT_EQ(DoubleText(1000000000001.5), "1000000000002");
  EXPECT_EQ(DoubleText(-1000000000000.5), "-1000000000001");
  EXPECT_EQ(DoubleText(9999999999999.5), "1e+013") << "a carry out of the first digit moves to exponent form";
  EXPECT_EQ(DoubleText(9.99999999999995e-5), "0.0001") << "a carry can leave exponent form";
  // Just below a half: 92522290.159355 is stored as 92522290.1593549996…, which stays down.
  EXPECT_EQ(DoubleText(FromBits(0x41960F1CC8A32DF5)), "92522290.15935");
  EXPECT_EQ(FormatGeneral(0.125, 2), "0.13");
  EXPECT_EQ(FormatGeneral(2.675, 3), "2.67") << "2.675 is stored just below the half";
}

TEST(DoubleText, NonFiniteValuesUseTheCRuntimeSpellings) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(DoubleText(inf), "1.#INF");
  EXPECT_EQ(DoubleText(-inf), "-1.#INF");
  EXPECT_EQ(DoubleText(FromBits(0x7FF8000000000000)), "1.#QNAN");
  EXPECT_EQ(DoubleText(FromBits(0x7FF0000000000001)), "1.#QNAN") << "a signalling not-a-number";
  EXPECT_EQ(DoubleText(FromBits(0xFFF8000000000000)), "-1.#IND") << "the indefinite value";
  EXPECT_EQ(DoubleText(FromBits(0xFFF0000000000001)), "-1.#IND");
  EXPECT_EQ(FloatText(-std::numeric_limits<float>::infinity()), "-1.#INF");
}

TEST(FloatText, ShowsSixSignificantDigitsOfTheFloat) {
  EXPECT_EQ(FloatText(0.1f), "0.1");
  EXPECT_EQ(FloatText(1.0f / 3), "0.333333");
  EXPECT_EQ(FloatText(123456.7f), "123457");
  EXPECT_EQ(FloatText(1234567.0f), "1.23457e+006");
  EXPECT_EQ(FloatText(3.4028235e38f), "3.40282e+038");
  EXPECT_EQ(FloatText(-0.5f), "-0.5");
  EXPECT_EQ(FloatText(16777216.0f), "1.67772e+007");
}

// glibc prints the exact value too (rounding exact ties to even, which random bit patterns never hit) with
// two-digit exponents; widening its exponent must give our text.
std::string GlibcGeneral(double v, int precision) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*g", precision, v);
  std::string text = buffer;
  const std::size_t e = text.find('e');
  if (e != std::string::npos && text.size() - e == 4) text.insert(e + 2, 1, '0');
  return text;
}

TEST(DoubleText, AgreesWithAnExactFormatterOnRandomBitPatterns) {
  std::uint64_t state = 0x9E3779B97F4A7C15ull;
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    const double v = FromBits(state ^ (state >> 29));
    if (!std::isfinite(v)) continue;
    ASSERT_EQ(DoubleText(v), GlibcGeneral(v, 13)) << std::hex << state;
    ASSERT_EQ(FormatGeneral(v, 6), GlibcGeneral(v, 6));
    ++compared;
  }
  EXPECT_GT(compared, 19000);
}

TEST(RoundedDigits, CarriesAndPadsAsNeeded) {
  DecimalDigits d = RoundedDigits(9.96, 2);
  EXPECT_EQ(std::string(d.digits, d.count), "10");
  EXPECT_EQ(d.exponent, 1);
  d = RoundedDigits(0.5, 5);
  EXPECT_EQ(std::string(d.digits, d.count), "50000");
  EXPECT_EQ(d.exponent, -1);
  d = RoundedDigits(1e22, 1);
  EXPECT_EQ(std::string(d.digits, d.count), "1");
  EXPECT_EQ(d.exponent, 22);
}

TEST(PowerOfTen, IsTheNearestDouble) {
  EXPECT_EQ(PowerOfTen(0), 1.0);
  EXPECT_EQ(PowerOfTen(22), 1e22);
  // Decimal literals are correctly rounded by the compiler: the reference for the inexact powers.
  EXPECT_EQ(PowerOfTen(23), 1e23);
  EXPECT_EQ(PowerOfTen(100), 1e100);
  EXPECT_EQ(PowerOfTen(200), 1e200);
  EXPECT_EQ(PowerOfTen(308), 1e308);
  EXPECT_TRUE(std::isinf(PowerOfTen(309)));
}

TEST(RoundNumber, RoundsHalfAwayFromZeroWithTheNudge) {
  EXPECT_EQ(RoundNumber(2.675, 2), 2.68) << "the nudge carries a half stored just below";
  EXPECT_EQ(RoundNumber(-2.675, 2), -2.68);
  EXPECT_EQ(RoundNumber(2.5, 0), 3.0);
  EXPECT_EQ(RoundNumber(-2.5, 0), -3.0);
  EXPECT_EQ(RoundNumber(2.4999, 0), 2.0);
  EXPECT_EQ(RoundNumber(1234.5, -1), 1230.0);
  EXPECT_EQ(RoundNumber(1235.0, -1), 1240.0);
  EXPECT_EQ(RoundNumber(-1250.0, -2), -1300.0);
  EXPECT_EQ(RoundNumber(33.3333, 1), 33.3);
}

TEST(RoundNumber, ZeroAndNonFiniteValuesAndExtremePlacesAreSafe) {
  EXPECT_TRUE(std::signbit(RoundNumber(-0.0, 2))) << "zero comes back unchanged";
  EXPECT_TRUE(std::isinf(RoundNumber(std::numeric_limits<double>::infinity(), 2)));
  EXPECT_TRUE(std::isnan(RoundNumber(std::nan(""), 2)));
  EXPECT_EQ(RoundNumber(0.1, 400), 0.1) << "finer than any double: unchanged, not infinity over infinity";
  EXPECT_EQ(RoundNumber(0.1, INT32_MAX), 0.1);
  EXPECT_EQ(RoundNumber(1e300, -400), 0.0) << "coarser than any double: zero, not zero times infinity";
  EXPECT_EQ(RoundNumber(1e300, INT32_MIN), 0.0);
  EXPECT_EQ(RoundNumber(1.7976931348623157e308, -308), 1.7976931348623157e308) << "would overflow: unchanged";
  EXPECT_EQ(RoundNumber(1e17, 2), 1e17) << "beyond the fraction's precision nothing changes";
}

TEST(NumberToFormattedText, PadsRoundsAndGroups) {
  EXPECT_EQ(NumberToFormattedText(33.3333, 1, false), "33.3");
  EXPECT_EQ(NumberToFormattedText(100, 1, false), "100.0");
  EXPECT_EQ(NumberToFormattedText(12.5, 1, false), "12.5");
  EXPECT_EQ(NumberToFormattedText(1234567.891, 2, true), "1,234,567.89");
  EXPECT_EQ(NumberToFormattedText(5, 0, false), "5");
  EXPECT_EQ(NumberToFormattedText(-0.05, 1, false), "-0.1");
  EXPECT_EQ(NumberToFormattedText(0, 2, false), "0.00");
  EXPECT_EQ(NumberToFormattedText(2.675, 2, false), "2.68");
  EXPECT_EQ(NumberToFormattedText(200.0 / 3, 1, false), "66.7");
  EXPECT_EQ(NumberToFormattedText(1.0 / 8 * 100, 1, false), "12.5");
  EXPECT_EQ(NumberToFormattedText(0.5, 3, false), "0.500");
  EXPECT_EQ(NumberToFormattedText(1.23456, std::nullopt, false), "1.23456") << "no decimals: no rounding";
  EXPECT_EQ(NumberToFormattedText(1234.5, -2, true), "1,200");
}

TEST(NumberToFormattedText, GroupsOnlyPlainDecimals) {
  EXPECT_EQ(NumberToFormattedText(-1234567, std::nullopt, true), "-1,234,567");
  EXPECT_EQ(NumberToFormattedText(123, std::nullopt, true), "123");
  EXPECT_EQ(NumberToFormattedText(1234, std::nullopt, true), "1,234");
  EXPECT_EQ(NumberToFormattedText(0.0001234, std::nullopt, true), "0.0001234");
  EXPECT_EQ(NumberToFormattedText(1e20, std::nullopt, true), "1e+020") << "exponent form is left as it is";
  EXPECT_EQ(NumberToFormattedText(1234567.5, 1, false), "1234567.5") << "no separators unless asked";
}

TEST(NumberToFormattedText, LeavesExponentFormAndNonFiniteSpellingsUnpadded) {
  EXPECT_EQ(NumberToFormattedText(1e15, 2, true), "1e+015");
  EXPECT_EQ(NumberToFormattedText(std::numeric_limits<double>::infinity(), 2, true), "1.#INF");
  EXPECT_EQ(NumberToFormattedText(-std::numeric_limits<double>::infinity(), 2, true), "-1.#INF");
}

TEST(NumberToFormattedText, BoundsTheZerosItPads) {
  EXPECT_EQ(NumberToFormattedText(1, 120, false), "1." + std::string(120, '0'));
  EXPECT_EQ(NumberToFormattedText(1, INT32_MAX, false).size(), 2u + kMaxFormattedDecimals);
}

}  // namespace
}  // namespace quarrow
