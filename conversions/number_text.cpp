#include "conversions/number_text.h"

#include <cmath>
#include <string_view>

#include "conversions/decimal_digits.h"
#include "conversions/general_format.h"

namespace quarrow {

namespace {

bool IsPlainDecimal(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text) {
    if ((c < '0' || c > '9') && c != '.') return false;
  }
  return true;
}

void PadDecimals(std::string& text, std::int32_t decimals) {
  const std::size_t wanted = static_cast<std::size_t>(decimals);
  const std::size_t point = text.find('.');
  if (point == std::string::npos) {
    text.push_back('.');
    text.append(wanted, '0');
    return;
  }
  const std::size_t present = text.size() - point - 1;
  if (present < wanted) text.append(wanted - present, '0');
}

void GroupThousands(std::string& text) {
  const std::size_t start = text.front() == '-' ? 1 : 0;
  std::size_t end = text.find('.');
  if (end == std::string::npos) end = text.size();
  for (std::size_t i = end; i > start + 3; i -= 3) text.insert(i - 3, 1, ',');
}

}  // namespace

std::string DoubleText(double value) { return FormatGeneral(value, 13); }

std::string FloatText(float value) { return FormatGeneral(static_cast<double>(value), 6); }

double RoundNumber(double value, std::int32_t places) {
  if (value == 0 || !std::isfinite(value)) return value;
  const bool negative = value < 0;
  const double magnitude = std::fabs(value);
  const std::int64_t wide_places = places;

  double scale = 1;
  double scaled = magnitude;
  if (wide_places > 0) {
    scale = PowerOfTen(places);
    scaled = magnitude * scale;
    if (!std::isfinite(scaled)) return value;
  } else if (wide_places < 0) {
    const std::int64_t power = -wide_places;
    if (power > 400) return negative ? -0.0 : 0.0;
    scale = PowerOfTen(static_cast<std::int32_t>(power));
    if (!std::isfinite(scale)) return negative ? -0.0 : 0.0;
    scaled = magnitude / scale;
  }

  double whole;
  const double fraction = std::modf(scaled + 0.000000000001, &whole);
  if (fraction >= 0.5) whole += 1;

  double rounded = whole;
  if (wide_places > 0) rounded = whole / scale;
  if (wide_places < 0) rounded = whole * scale;
  if (!std::isfinite(rounded)) return value;
  return negative ? -rounded : rounded;
}

std::string NumberToFormattedText(double value, std::optional<std::int32_t> decimals, bool thousands) {
  if (decimals) value = RoundNumber(value, *decimals);
  std::string text = DoubleText(value);
  if (!std::isfinite(value)) return text;
  const bool exponent_form = text.find('e') != std::string::npos;
  if (decimals && *decimals > 0 && !exponent_form) {
    PadDecimals(text, *decimals < kMaxFormattedDecimals ? *decimals : kMaxFormattedDecimals);
  }
  if (thousands && IsPlainDecimal(text)) GroupThousands(text);
  return text;
}

}  // namespace quarrow
