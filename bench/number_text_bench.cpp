// The cost of the program's own number texts against the C library's "%.13g" of the same values, and of the
// formatted form with one decimal (the progress label's text) against "%.1f".
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "conversions/number_text.h"

namespace {

template <class Work>
double Seconds(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::vector<double> Values(std::size_t n, bool wide) {
  std::vector<double> v;
  std::uint64_t state = 12345;
  for (std::size_t i = 0; i < n; ++i) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    if (wide) {
      const std::uint64_t bits = (state & 0x800FFFFFFFFFFFFFull) | ((1 + (state >> 53) % 2046) << 52);
      double d;
      std::memcpy(&d, &bits, sizeof d);
      v.push_back(d);
    } else {
      v.push_back(static_cast<double>(state >> 44) / 1000.0);  // everyday magnitudes: 0 .. 1e6
    }
  }
  return v;
}

void Compare(const char* what, const std::vector<double>& values) {
  std::size_t sink = 0;
  char buffer[64];
  const double ours = Seconds([&] {
    for (double v : values) sink += quarrow::DoubleText(v).size();
  });
  const double c_library = Seconds([&] {
    for (double v : values) sink += static_cast<std::size_t>(std::snprintf(buffer, sizeof buffer, "%.13g", v));
  });
  std::printf("%-34s %8.0f ns/value, %.2f x the C library's \"%%.13g\"   (%zu)\n", what,
              ours / values.size() * 1e9, ours / c_library, sink % 10);
}

}  // namespace

int main() {
  const std::vector<double> everyday = Values(200000, false);
  const std::vector<double> wide = Values(50000, true);
  Compare("ToText, everyday magnitudes", everyday);
  Compare("ToText, every magnitude", wide);

  std::size_t sink = 0;
  char buffer[64];
  const double ours = Seconds([&] {
    for (double v : everyday) sink += quarrow::NumberToFormattedText(v / 10000.0, 1, false).size();
  });
  const double c_library = Seconds([&] {
    for (double v : everyday) sink += static_cast<std::size_t>(std::snprintf(buffer, sizeof buffer, "%.1f", v / 10000.0));
  });
  std::printf("%-34s %8.0f ns/value, %.2f x the C library's \"%%.1f\"   (%zu)\n", "NumberToFormattedText, 1 decimal",
              ours / everyday.size() * 1e9, ours / c_library, sink % 10);
  return 0;
}
