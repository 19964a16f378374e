#include "units/edit_box_input.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "conversions/number_text.h"
#include "conversions/text_to_integer.h"
#include "units/edit_box_properties.h"

namespace quarrow::edit_box {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpaces(std::string_view text, std::size_t at) {
  while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) ++at;
  return at;
}

// Numbers show without a lone zero: a box whose value is 0 shows nothing.
std::string WithoutZero(std::string text) { return text == "0" ? std::string() : text; }

std::string ClampedDecimal(std::string_view text, std::int64_t low, std::int64_t high) {
  return WithoutZero(std::to_string(std::clamp(LeadingInteger64(text), low, high)));
}

// Reads at most `digits` decimal digits; none read gives 0.
std::int32_t ReadNumber(std::string_view text, std::size_t& at, int digits) {
  std::int32_t value = 0;
  for (int i = 0; i < digits && at < text.size() && IsDigit(text[at]); ++i, ++at) value = value * 10 + (text[at] - '0');
  return value;
}

// Skips one separator: one of the single characters, or the double-byte word.
void SkipSeparator(std::string_view text, std::size_t& at, std::string_view singles, std::string_view word) {
  if (at >= text.size()) return;
  if (singles.find(text[at]) != std::string_view::npos) {
    ++at;
  } else if (text.substr(at, word.size()) == word) {
    at += word.size();
  }
}

bool IsLeapYear(std::int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

std::int32_t DaysInMonth(std::int32_t year, std::int32_t month) {
  static constexpr std::int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

bool KeystrokeAllowed(std::int32_t input_mode, std::uint32_t character) {
  if (character < 32) return true;
  const bool digit = character >= '0' && character <= '9';
  switch (input_mode) {
    case kModeIntegerText:
    case kModeShort:
    case kModeInt:
    case kModeLong: return digit || character == '-';
    case kModeDecimalText:
    case kModeFloat:
    case kModeDouble: return digit || character == '-' || character == '.';
    case kModeByte: return digit;
    default: return true;
  }
}

std::int64_t LeadingInteger64(std::string_view text) {
  std::size_t at = SkipSpaces(text, 0);
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  // Accumulated as a negative number, whose range reaches one further.
  std::int64_t value = 0;
  constexpr std::int64_t kLowest = std::numeric_limits<std::int64_t>::min();
  bool overflow = false;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    const int digit = text[at] - '0';
    if (value < (kLowest + digit) / 10) {
      overflow = true;
      continue;
    }
    value = value * 10 - digit;
  }
  if (overflow) return negative ? kLowest : std::numeric_limits<std::int64_t>::max();
  if (negative) return value;
  return value == kLowest ? std::numeric_limits<std::int64_t>::max() : -value;
}

double LeadingNumber(std::string_view text) {
  std::size_t at = SkipSpaces(text, 0);
  const std::size_t start = at;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  std::size_t digits = 0;
  while (at < text.size() && IsDigit(text[at])) ++at, ++digits;
  if (at < text.size() && text[at] == '.') {
    ++at;
    while (at < text.size() && IsDigit(text[at])) ++at, ++digits;
  }
  if (digits == 0) return 0;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t exponent = at + 1;
    if (exponent < text.size() && (text[exponent] == '-' || text[exponent] == '+')) ++exponent;
    if (exponent < text.size() && IsDigit(text[exponent])) {
      at = exponent;
      while (at < text.size() && IsDigit(text[at])) ++at;
    }
  }
  const std::string number(text.substr(start, at - start));
  return std::strtod(number.c_str(), nullptr);
}

std::optional<CivilDateTime> ParseDateTimeText(std::string_view text) {
  const std::string folded = FoldFullWidthForms(std::string(text).c_str());
  const std::string_view s = folded;
  std::size_t at = 0;
  CivilDateTime value{};
  value.year = ReadNumber(s, at, 4);
  SkipSeparator(s, at, "-./:", "年");
  value.month = ReadNumber(s, at, 2);
  SkipSeparator(s, at, "-./:", "月");
  value.day = ReadNumber(s, at, 2);
  SkipSeparator(s, at, " -./:", "日");
  value.hour = ReadNumber(s, at, 2);
  SkipSeparator(s, at, "-./:", "时");
  value.minute = ReadNumber(s, at, 2);
  SkipSeparator(s, at, "-./:", "分");
  value.second = ReadNumber(s, at, 2);
  if (at != s.size() && s.substr(at, std::string_view("秒").size()) != "秒") return std::nullopt;
  if (value.year < 100 || value.year > 9999 || value.month < 1 || value.month > 12) return std::nullopt;
  if (value.day < 1 || value.day > DaysInMonth(value.year, value.month)) return std::nullopt;
  if (value.hour > 23 || value.minute > 59 || value.second > 59) return std::nullopt;
  return value;
}

std::string DateTimeDisplay(const CivilDateTime& v) {
  std::string text = std::to_string(v.year) + "年" + std::to_string(v.month) + "月" + std::to_string(v.day) + "日";
  if (v.second != 0) {
    text += std::to_string(v.hour) + "时" + std::to_string(v.minute) + "分" + std::to_string(v.second) + "秒";
  } else if (v.minute != 0) {
    text += std::to_string(v.hour) + "时" + std::to_string(v.minute) + "分";
  } else if (v.hour != 0) {
    text += std::to_string(v.hour) + "时";
  }
  return text;
}

std::string NormalisedText(std::int32_t input_mode, std::string_view text) {
  switch (input_mode) {
    case kModeByte: return ClampedDecimal(text, 0, 255);
    case kModeShort: return ClampedDecimal(text, -32768, 32767);
    case kModeInt:
      return ClampedDecimal(text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    case kModeLong:
      return ClampedDecimal(text, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max());
    case kModeFloat: {
      double value = LeadingNumber(text);
      if (value == 0) value = 0;  // no negative zero
      float single;
      if (std::isfinite(value) && std::fabs(value) > FLT_MAX) {
        single = value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
      } else {
        single = static_cast<float>(value);
      }
      return WithoutZero(FloatText(single));
    }
    case kModeDouble: {
      double value = LeadingNumber(text);
      if (value == 0) value = 0;
      return WithoutZero(DoubleText(value));
    }
    case kModeDateTime: {
      const std::optional<CivilDateTime> value = ParseDateTimeText(text);
      // The zero date-time, 1899-12-30 at midnight, counts as no date.
      if (!value || (value->year == 1899 && value->month == 12 && value->day == 30 && value->hour == 0 &&
                     value->minute == 0 && value->second == 0)) {
        return std::string();
      }
      return DateTimeDisplay(*value);
    }
    default: return std::string(text);
  }
}

std::int32_t AdjustedValue(std::string_view text, std::int32_t bound_a, std::int32_t bound_b, std::int32_t step) {
  const std::int64_t lower = std::min(bound_a, bound_b);
  const std::int64_t upper = std::max(bound_a, bound_b);
  const std::int64_t value = ParseLeadingInteger(text);
  const std::int64_t next = step < 0 ? value - 1 : value + 1;
  if (next >= lower && next <= upper) return static_cast<std::int32_t>(next);
  return static_cast<std::int32_t>(step < 0 ? upper : lower);
}

}  // namespace quarrow::edit_box
