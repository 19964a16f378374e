// Values of any type as integers, numbers and texts, by their data-type code.
#pragma once

#include <cstdint>
#include <string>

#include "base/value.h"

namespace quarrow {

// byte 0..255; short sign-extended; int, logical and subroutine pointer their 32-bit word; long its low 32 bits;
// float and double truncated toward zero to 64 bits, then the low 32 bits (a value outside the 64-bit range, or
// not a number, gives the C runtime's indefinite integer 0x8000000000000000 and so 0); text read as a decimal
// integer with its full-width forms folded; anything else, and an omitted value, 0.
std::int32_t ValueToInteger(const ValueRecord& value);

// The numeric types as a double; anything else 0.
double ValueToNumber(const ValueRecord& value);

// int and short in decimal, byte unsigned, long as a signed 64-bit decimal, float in six significant digits,
// double in thirteen; logical "真" or "假"; date-time as date and time of day; text a copy; byte set its bytes
// up to the first zero; an array of a numeric type its raw elements up to the first zero byte; anything else the
// empty text.
std::string ValueToText(const ValueRecord& value);

}  // namespace quarrow
