// The leading decimal digits of a double, taken from its exact binary value rather than from the C library, so
// that every build gives the same digits.
#pragma once

#include <cstdint>

namespace quarrow {

struct DecimalDigits {
  static constexpr int kMaxDigits = 40;
  char digits[kMaxDigits] = {};  // ASCII '0'..'9', exactly `count` of them
  int count = 0;
  int exponent = 0;  // the value is d.ddd… × 10^exponent
};

// The first `significant` digits (1..kMaxDigits) of a finite, non-zero magnitude, rounded half away from zero on
// its exact value: 0.125 at two digits gives 13 × 10^-2, 2.675 at three digits gives 267 (its double lies just
// below 2.675). A carry out of the leading digit raises the exponent ("9.99" at two digits gives 10 × 10^0).
DecimalDigits RoundedDigits(double magnitude, int significant);

// 10^exponent correctly rounded to the nearest double, for 0 <= exponent; infinity above 308.
double PowerOfTen(std::int32_t exponent);

}  // namespace quarrow
