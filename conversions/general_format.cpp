#include "conversions/general_format.h"

#include <cmath>

#include "conversions/decimal_digits.h"

namespace quarrow {

namespace {

void AppendExponent(std::string& text, int exponent) {
  text.push_back('e');
  text.push_back(exponent < 0 ? '-' : '+');
  const int magnitude = exponent < 0 ? -exponent : exponent;
  char digits[4];
  int count = 0;
  for (int rest = magnitude; rest != 0 || count < 3; rest /= 10) digits[count++] = static_cast<char>('0' + rest % 10);
  while (count > 0) text.push_back(digits[--count]);
}

// Removes zeros at the end of the fraction, and the "." when nothing follows it.
void TrimFraction(std::string& digits) {
  if (digits.find('.') == std::string::npos) return;
  while (digits.back() == '0') digits.pop_back();
  if (digits.back() == '.') digits.pop_back();
}

}  // namespace

const char* NonFiniteSpelling(double value) {
  if (std::isinf(value)) return std::signbit(value) ? "-1.#INF" : "1.#INF";
  if (std::isnan(value)) return std::signbit(value) ? "-1.#IND" : "1.#QNAN";
  return nullptr;
}

std::string FormatGeneral(double value, int precision) {
  if (const char* spelling = NonFiniteSpelling(value)) return spelling;
  if (precision < 1) precision = 1;
  if (precision > DecimalDigits::kMaxDigits) precision = DecimalDigits::kMaxDigits;

  std::string text;
  if (std::signbit(value)) text.push_back('-');
  if (value == 0) {
    text.push_back('0');
    return text;
  }

  const DecimalDigits d = RoundedDigits(value, precision);
  std::string body;
  if (d.exponent < -4 || d.exponent >= precision) {
    body.push_back(d.digits[0]);
    body.push_back('.');
    body.append(d.digits + 1, d.digits + d.count);
    TrimFraction(body);
    text += body;
    AppendExponent(text, d.exponent);
    return text;
  }
  if (d.exponent < 0) {
    body = "0.";
    body.append(static_cast<std::size_t>(-d.exponent - 1), '0');
    body.append(d.digits, d.digits + d.count);
  } else {
    body.append(d.digits, d.digits + d.exponent + 1);
    body.push_back('.');
    body.append(d.digits + d.exponent + 1, d.digits + d.count);
  }
  TrimFraction(body);
  return text + body;
}

}  // namespace quarrow
