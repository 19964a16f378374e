#include "conversions/date_text.h"

#include <cmath>

namespace quarrow {

namespace {

// Proleptic Gregorian calendar date of a day counted from 1970-01-01 (H. Hinnant's civil_from_days).
void CivilFromDays(std::int64_t days, std::int32_t& year, std::int32_t& month, std::int32_t& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t shifted_month = (5 * day_of_year + 2) / 153;
  day = static_cast<std::int32_t>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
  month = static_cast<std::int32_t>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
  year = static_cast<std::int32_t>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
}

constexpr std::int64_t kDaysFrom1970To18991230 = -25569;

}  // namespace

CivilDateTime SplitDateTime(double value) {
  if (std::isnan(value)) value = 0;
  std::int64_t day;
  double fraction;
  if (value <= kFirstDateDay - 1.0) {
    day = kFirstDateDay;
    fraction = 0;
  } else if (value >= kLastDateDay + 1.0) {
    day = kLastDateDay;
    fraction = 0;
  } else {
    const double whole = std::trunc(value);
    day = static_cast<std::int64_t>(whole);
    fraction = std::fabs(value - whole);
  }

  std::int64_t seconds = static_cast<std::int64_t>(std::floor(fraction * 86400.0 + 0.5));
  if (seconds >= 86400) {
    if (day < kLastDateDay) {
      ++day;
      seconds -= 86400;
    } else {
      seconds = 86399;
    }
  }

  CivilDateTime t{};
  CivilFromDays(day + kDaysFrom1970To18991230, t.year, t.month, t.day);
  t.hour = static_cast<std::int32_t>(seconds / 3600);
  t.minute = static_cast<std::int32_t>(seconds / 60 % 60);
  t.second = static_cast<std::int32_t>(seconds % 60);
  return t;
}

std::string DateTimeText(double value) {
  const CivilDateTime t = SplitDateTime(value);
  std::string text = std::to_string(t.year) + "年" + std::to_string(t.month) + "月" + std::to_string(t.day) + "日";
  if (t.second != 0) {
    text += std::to_string(t.hour) + "时" + std::to_string(t.minute) + "分" + std::to_string(t.second) + "秒";
  } else if (t.minute != 0) {
    text += std::to_string(t.hour) + "时" + std::to_string(t.minute) + "分";
  } else if (t.hour != 0) {
    text += std::to_string(t.hour) + "时";
  }
  return text;
}

}  // namespace quarrow
