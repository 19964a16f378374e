#include "conversions/date_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace quarrow {
namespace {

TEST(DateTimeText, ShowsTheDateAndOnlyTheTimeThatIsThere) {
  EXPECT_EQ(DateTimeText(0), "1899年12月30日");
  EXPECT_EQ(DateTimeText(2), "1900年1月1日");
  EXPECT_EQ(DateTimeText(45356), "2024年3月5日");
  EXPECT_EQ(DateTimeText(45356.5), "2024年3月5日12时");
  EXPECT_EQ(DateTimeText(45356 + (14 * 3600 + 7 * 60) / 86400.0), "2024年3月5日14时7分");
  EXPECT_EQ(DateTimeText(45356 + (14 * 3600 + 7 * 60 + 9) / 86400.0), "2024年3月5日14时7分9秒");
  EXPECT_EQ(DateTimeText(45356 + 5 / 86400.0), "2024年3月5日0时0分5秒") << "seconds bring hours and minutes";
  EXPECT_EQ(DateTimeText(45356 + 60 / 86400.0), "2024年3月5日0时1分");
  EXPECT_EQ(DateTimeText(60), "1900年2月28日");
  EXPECT_EQ(DateTimeText(61), "1900年3月1日") << "1900 was no leap year";
  EXPECT_EQ(DateTimeText(36585), "2000年2月29日");
}

TEST(DateTimeText, NegativeValuesCountTheirFractionForward) {
  EXPECT_EQ(DateTimeText(-1), "1899年12月29日");
  EXPECT_EQ(DateTimeText(-1.25), "1899年12月29日6时");
  EXPECT_EQ(DateTimeText(-0.5), "1899年12月30日12时");
}

TEST(DateTimeText, RoundsTheTimeToTheNearestSecond) {
  // 12:30 is not exact in binary; it must not come out as 12:29:59.
  EXPECT_EQ(DateTimeText(45356 + 45000 / 86400.0 - 1e-9), "2024年3月5日12时30分");
  EXPECT_EQ(DateTimeText(45356.9999999), "2024年3月6日") << "a time that rounds to midnight is the next day";
}

TEST(DateTimeText, ClampsToTheFirstAndLastDay) {
  EXPECT_EQ(DateTimeText(kFirstDateDay), "100年1月1日");
  EXPECT_EQ(DateTimeText(kLastDateDay), "9999年12月31日");
  EXPECT_EQ(DateTimeText(kFirstDateDay - 0.5), "100年1月1日12时") << "still the first day";
  EXPECT_EQ(DateTimeText(kFirstDateDay - 1), "100年1月1日");
  EXPECT_EQ(DateTimeText(-1e300), "100年1月1日");
  EXPECT_EQ(DateTimeText(kLastDateDay + 0.75), "9999年12月31日18时");
  EXPECT_EQ(DateTimeText(kLastDateDay + 0.9999999), "9999年12月31日23时59分59秒") << "no day after the last";
  EXPECT_EQ(DateTimeText(kLastDateDay + 1), "9999年12月31日");
  EXPECT_EQ(DateTimeText(std::numeric_limits<double>::infinity()), "9999年12月31日");
  EXPECT_EQ(DateTimeText(-std::numeric_limits<double>::infinity()), "100年1月1日");
  EXPECT_EQ(DateTimeText(std::numeric_limits<double>::quiet_NaN()), "1899年12月30日");
}

}  // namespace
}  // namespace quarrow
