// Date-time values as text. A date-time is a double counting days from 1899-12-30; its integer part (toward
// zero) is the day and the magnitude of its fraction the time of day, so -1.25 is 1899-12-29 06:00.
#pragma once

#include <cstdint>
#include <string>

namespace quarrow {

// The first and last days a date-time can name: 100-01-01 and 9999-12-31.
inline constexpr std::int32_t kFirstDateDay = -657434;
inline constexpr std::int32_t kLastDateDay = 2958465;

struct CivilDateTime {
  std::int32_t year, month, day, hour, minute, second;
};

// Days outside the range become its first or last day at midnight; the time is rounded to the nearest second
// (a time that rounds up to midnight moves to the next day, except on the last day, which stops at 23:59:59).
// Not-a-number is taken as day 0, 1899-12-30.
CivilDateTime SplitDateTime(double value);

// "2024年3月5日", followed by "14时7分9秒" when the seconds are not zero, else by "14时7分" when the minutes are
// not zero, else by "14时" when the hour is not zero.
std::string DateTimeText(double value);

}  // namespace quarrow
