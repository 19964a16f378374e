// The input rules of EditBox that need no window: which typed characters each input mode lets through, how the
// text is normalised when the box loses the focus, the date-time texts of mode 11 and the automatic adjuster's
// step with wrap-around.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "conversions/date_text.h"

namespace quarrow::edit_box {

// Characters below 32 (backspace, control keys) always pass. Modes 3, 6, 7 and 8 let through the minus sign and
// digits, 4, 9 and 10 also the full stop, 5 only digits; the other modes everything.
bool KeystrokeAllowed(std::int32_t input_mode, std::uint32_t character);

// The text after the box lost the focus: numbers clamped to their mode's range and written in decimal ("%.6g" for
// mode 9, "%.13g" for mode 10), with a result of "0" shown as the empty text; date-times in the long Chinese form,
// or empty. Modes 0 to 4 leave the text as it is.
std::string NormalisedText(std::int32_t input_mode, std::string_view text);

// The leading decimal integer of a text: leading spaces and a sign, then digits up to the first other character;
// no digits give 0. Values beyond 64 bits stop at the nearest 64-bit limit.
std::int64_t LeadingInteger64(std::string_view text);
// The leading decimal number: sign, digits, an optional fraction and exponent; no number gives 0.
double LeadingNumber(std::string_view text);

// Reads a date-time typed in the usual ways: year, month and day with "-", ".", "/", ":" or 年 月 日 between them,
// optionally hour, minute and second with "-", ".", "/", ":" or 时 分 (and a closing 秒); full-width characters
// count as their ASCII forms. None when the text names no valid date (years 100 to 9999) and time.
std::optional<CivilDateTime> ParseDateTimeText(std::string_view text);
// "2024年5月3日", followed by "8时5分6秒", "8时5分" or "8时" as far as the time is not zero.
std::string DateTimeDisplay(const CivilDateTime& value);

// The automatic adjuster's next value: the leading integer of the text, one step down (step < 0) or up, wrapping
// to the other end of the range when the result would leave it. The range runs between the two bounds in either
// order.
std::int32_t AdjustedValue(std::string_view text, std::int32_t bound_a, std::int32_t bound_b, std::int32_t step);

}  // namespace quarrow::edit_box
