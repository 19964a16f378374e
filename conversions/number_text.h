// Numbers as the texts the program shows: doubles in thirteen significant digits, floats in six, and the
// formatted form with a fixed number of decimals and optional thousands separators.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quarrow {

// "%.13g" of a double and "%.6g" of a float (see general_format.h for the conventions).
std::string DoubleText(double value);
std::string FloatText(float value);

// Rounds half away from zero to `places` decimals (negative places round to tens, hundreds, …). The magnitude is
// nudged up by 1e-12 before it is split, so that 2.675 at two places, whose double lies just below the half,
// still gives 2.68. Zero and the non-finite values come back unchanged; so does a value whose scaled form
// would overflow, since rounding that finely changes nothing. Rounding to a power of ten beyond any double
// gives zero.
double RoundNumber(double value, std::int32_t places);

// Decimals beyond this are treated as this many: a longer run of zeros carries no digit a double could hold.
inline constexpr std::int32_t kMaxFormattedDecimals = 1000;

// The value, first rounded to `decimals` places when they are given, in thirteen significant digits; a positive
// decimals count then pads the fraction with zeros (digits are never removed), and `thousands` groups the
// integer part in threes with ",". Texts in exponent form and the non-finite spellings are left as they are.
std::string NumberToFormattedText(double value, std::optional<std::int32_t> decimals, bool thousands);

}  // namespace quarrow
