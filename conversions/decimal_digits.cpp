#include "conversions/decimal_digits.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "conversions/big_unsigned.h"

namespace quarrow {

namespace {

struct BinaryParts {
  std::uint64_t mantissa;  // odd, or zero
  int exponent;            // value = mantissa × 2^exponent
};

BinaryParts Decompose(double magnitude) {
  std::uint64_t bits;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  int exponent;
  if (biased == 0) {
    exponent = -1074;  // subnormal
  } else {
    mantissa |= std::uint64_t{1} << 52;
    exponent = biased - 1075;
  }
  while (mantissa != 0 && (mantissa & 1) == 0) {
    mantissa >>= 1;
    ++exponent;
  }
  return {mantissa, exponent};
}

// Every decimal digit of a double's exact value fits here: at most 767 significant digits.
constexpr int kAllDigits = 800;

// Writes the decimal digits of n (most significant first) at the end of buffer; returns where they start.
char* WriteDigits(BigUnsigned n, char* end) {
  char* p = end;
  constexpr std::uint32_t kChunk = 1000000000;
  while (!n.IsZero()) {
    std::uint32_t chunk = n.Divide(kChunk);
    const bool last = n.IsZero();
    for (int i = 0; i < 9 && (!last || chunk != 0); ++i) {
      *--p = static_cast<char>('0' + chunk % 10);
      chunk /= 10;
    }
  }
  return p;
}

}  // namespace

DecimalDigits RoundedDigits(double magnitude, int significant) {
  if (significant < 1) significant = 1;
  if (significant > DecimalDigits::kMaxDigits) significant = DecimalDigits::kMaxDigits;

  DecimalDigits result;
  result.count = significant;
  const BinaryParts parts = Decompose(std::fabs(magnitude));
  if (parts.mantissa == 0) {
    std::memset(result.digits, '0', static_cast<std::size_t>(significant));
    return result;
  }

  BigUnsigned n(parts.mantissa);
  int scale = 0;  // the value is n × 10^-scale
  if (parts.exponent >= 0) {
    n.ShiftLeft(parts.exponent);
  } else {
    n.MultiplyByPowerOfFive(-parts.exponent);
    scale = -parts.exponent;
  }

  char buffer[kAllDigits];
  char* const end = buffer + kAllDigits;
  const char* first = WriteDigits(n, end);
  const int length = static_cast<int>(end - first);

  result.exponent = length - 1 - scale;
  for (int i = 0; i < significant; ++i) result.digits[i] = i < length ? first[i] : '0';

  // Half away from zero: the digit after the last one kept decides, whatever follows it.
  if (length > significant && first[significant] >= '5') {
    int i = significant - 1;
    while (i >= 0 && result.digits[i] == '9') result.digits[i--] = '0';
    if (i >= 0) {
      ++result.digits[i];
    } else {
      result.digits[0] = '1';
      ++result.exponent;
    }
  }
  return result;
}

double PowerOfTen(std::int32_t exponent) {
  static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (exponent < 0) return 0.0;
  if (exponent <= 22) return kExact[exponent];
  if (exponent > 308) return std::numeric_limits<double>::infinity();

  // 10^e = 5^e × 2^e: round 5^e to 53 bits (half to even, with every lower bit as sticky), then scale by 2^e.
  BigUnsigned five(1);
  five.MultiplyByPowerOfFive(exponent);
  const int length = five.BitLength();
  const int drop = length - 53;
  std::uint64_t mantissa = 0;
  for (int i = length - 1; i >= drop; --i) mantissa = (mantissa << 1) | (five.Bit(i) ? 1 : 0);
  const bool half = five.Bit(drop - 1);
  bool sticky = false;
  for (int i = drop - 2; i >= 0 && !sticky; --i) sticky = five.Bit(i);
  if (half && (sticky || (mantissa & 1))) ++mantissa;  // a carry to 2^53 stays exact as a double
  return std::ldexp(static_cast<double>(mantissa), drop + exponent);
}

}  // namespace quarrow
