// The number texts and random numbers against the system's C runtime: ToText of a double must equal its
// _snprintf("%.13g"), of a float its "%.6g", and RandomNumber after SetRandomSeed(n) must follow what
// srand(n)/rand() yield, reduced to the bounds.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "commands/core_commands.h"
#include "tests/win/command_test_runtime.h"

namespace quarrow {
namespace {

using testing::CallCommand;
using testing::TakeText;
namespace cc = core_command;

using SnprintfRoutine = int(__cdecl*)(char*, std::size_t, const char*, ...);
using SrandRoutine = void(__cdecl*)(unsigned);
using RandRoutine = int(__cdecl*)();

// The C runtime's own routines, looked up by name so that no library of this build stands in for them.
struct CRuntime {
  HMODULE module = ::LoadLibraryA("msvcrt.dll");
  SnprintfRoutine c_snprintf = reinterpret_cast<SnprintfRoutine>(
      reinterpret_cast<void*>(::GetProcAddress(module, "_snprintf")));
  SrandRoutine c_srand = reinterpret_cast<SrandRoutine>(reinterpret_cast<void*>(::GetProcAddress(module, "srand")));
  RandRoutine c_rand = reinterpret_cast<RandRoutine>(reinterpret_cast<void*>(::GetProcAddress(module, "rand")));

  std::string Format(const char* format, double v) const {
    char buffer[128] = {};
    c_snprintf(buffer, sizeof buffer - 1, format, v);
    return buffer;
  }
};

const CRuntime& C() {
  static const CRuntime c;
  return c;
}

double FromBits(std::uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

class SplitMix {
 public:
  explicit SplitMix(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::uint64_t Below(std::uint64_t n) { return Next() % n; }

 private:
  std::uint64_t state_;
};

// Doubles spread over every magnitude: random normal numbers, integers, halves, values at and next to a half in
// the fourteenth significant digit, powers of ten and their neighbours, short decimals, and the extremes.
std::vector<double> OracleDoubles() {
  SplitMix rng(20240305);
  std::vector<double> v;
  auto add_with_neighbours = [&](double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    for (int d = -2; d <= 2; ++d) v.push_back(FromBits(bits + static_cast<std::uint64_t>(d)));
  };
  for (int i = 0; i < 4000; ++i) {
    const std::uint64_t exponent = 1 + rng.Below(2046);  // normal numbers only
    v.push_back(FromBits((rng.Next() & 0x800FFFFFFFFFFFFFull) | (exponent << 52)));
  }
  for (int i = 0; i < 1500; ++i) {
    const int bits = 1 + static_cast<int>(rng.Below(63));
    const double n = static_cast<double>(rng.Next() >> (64 - bits));
    v.push_back(i % 2 ? -n : n);
  }
  for (int i = 0; i < 1000; ++i) {
    const int bits = 1 + static_cast<int>(rng.Below(52));
    v.push_back(static_cast<double>(rng.Next() >> (64 - bits)) + 0.5);
  }
  for (int i = 0; i < 500; ++i) {
    // Thirteen digits and a half: exact ties in the fourteenth digit, scaled by powers of two.
    const double tie = static_cast<double>(1000000000000ull + rng.Below(9000000000000ull)) + 0.5;
    v.push_back(std::ldexp(tie, static_cast<int>(rng.Below(11)) - 5));
  }
  for (int i = 0; i < 400; ++i) {
    const double digits = static_cast<double>(1000000000000ull + rng.Below(9000000000000ull)) + 0.5;
    const int scale = static_cast<int>(rng.Below(600)) - 300;
    add_with_neighbours(digits * std::pow(10.0, scale - 12));
  }
  for (int e = -307; e <= 308; ++e) add_with_neighbours(std::pow(10.0, e));
  for (int i = 0; i < 1000; ++i) {
    const double cents = static_cast<double>(rng.Below(100000000)) / 100.0;
    v.push_back(i % 3 ? cents : -cents);
  }
  for (double x : {0.0, -0.0, 0.5, 1.0, 100.0, 1e20, 0.1, 1.0 / 3, 2.675, 1e-5, 1e-4, 1e12, 1e13, 1e15, 1e16,
                   std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                   std::numeric_limits<double>::min(), -std::numeric_limits<double>::min(),
                   std::numeric_limits<double>::epsilon(), 9007199254740992.0, 9007199254740993.0}) {
    add_with_neighbours(x);
  }
  return v;
}

TEST(ToTextOracle, DoublesMatchTheCRuntimesThirteenDigitGeneralForm) {
  ASSERT_NE(C().c_snprintf, nullptr);
  const std::vector<double> values = OracleDoubles();
  ASSERT_GE(values.size(), 10000u);
  int mismatches = 0;
  for (double v : values) {
    const std::string expected = C().Format("%.13g", v);
    const std::string ours = TakeText(CallCommand(cc::kToText, {ValueRecord::OfDouble(v)}));
    if (ours != expected && ++mismatches <= 10) {
      std::uint64_t bits;
      std::memcpy(&bits, &v, sizeof bits);
      ADD_FAILURE() << std::hex << bits << ": ours " << ours << ", the C runtime's " << expected;
    }
  }
  EXPECT_EQ(mismatches, 0) << "of " << values.size();
}

TEST(ToTextOracle, SubnormalDoublesMatchToo) {
  SplitMix rng(7);
  for (int i = 0; i < 500; ++i) {
    const double v = FromBits(rng.Next() & 0x800FFFFFFFFFFFFFull);
    ASSERT_EQ(TakeText(CallCommand(cc::kToText, {ValueRecord::OfDouble(v)})), C().Format("%.13g", v));
  }
}

TEST(ToTextOracle, FloatsMatchTheCRuntimesSixDigitGeneralForm) {
  SplitMix rng(99);
  int mismatches = 0;
  for (int i = 0; i < 5000; ++i) {
    std::uint32_t bits = static_cast<std::uint32_t>(rng.Next());
    if (((bits >> 23) & 0xFF) == 0xFF) bits &= 0xBFFFFFFFu;  // keep it finite
    float f;
    std::memcpy(&f, &bits, sizeof f);
    const std::string expected = C().Format("%.6g", static_cast<double>(f));
    const std::string ours = TakeText(CallCommand(cc::kToText, {ValueRecord::OfFloat(f)}));
    if (ours != expected && ++mismatches <= 10) {
      ADD_FAILURE() << std::hex << bits << ": ours " << ours << ", the C runtime's " << expected;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(ToTextOracle, NonFiniteSpellingsAreTheCRuntimes) {
  for (std::uint64_t bits : {0x7FF0000000000000ull, 0xFFF0000000000000ull, 0x7FF8000000000000ull,
                             0xFFF8000000000000ull, 0x7FF0000000000001ull, 0xFFF4000000000000ull}) {
    const double v = FromBits(bits);
    EXPECT_EQ(TakeText(CallCommand(cc::kToText, {ValueRecord::OfDouble(v)})), C().Format("%.13g", v))
        << std::hex << bits;
  }
}

TEST(RandomNumberOracle, SequencesFollowTheCRuntimesRandReducedToTheBounds) {
  ASSERT_NE(C().c_srand, nullptr);
  ASSERT_NE(C().c_rand, nullptr);
  struct Bounds {
    ValueRecord low, high;
    std::int32_t min, span;  // span -1: equal bounds, no draw
  };
  const ValueRecord omitted{};
  const std::vector<Bounds> bounds = {
      {ValueRecord::OfInt(0), ValueRecord::OfInt(99), 0, 99},
      {ValueRecord::OfInt(38), ValueRecord::OfInt(80), 38, 42},
      {ValueRecord::OfInt(9), ValueRecord::OfInt(1), 1, 8},
      {ValueRecord::OfInt(-3), ValueRecord::OfInt(2), 0, 2},
      {ValueRecord::OfInt(5), ValueRecord::OfInt(5), 5, -1},
      {omitted, omitted, 0, 2147483646},
      {ValueRecord::OfInt(100000), ValueRecord::OfInt(0), 0, 100000},
      {ValueRecord::OfInt(1), ValueRecord::OfInt(999999), 1, 999998},
      {ValueRecord::OfInt(0), ValueRecord::OfInt(2147483647), 0, 2147483646},
  };
  for (std::int32_t seed : {0, 1, 2, 42, 12345, 0x7FFFFFFF, INT32_MIN, -1}) {
    C().c_srand(static_cast<unsigned>(seed));
    CallCommand(cc::kSetRandomSeed, {ValueRecord::OfInt(seed)});
    for (int i = 0; i < 2000; ++i) {
      const Bounds& b = bounds[static_cast<std::size_t>(i) % bounds.size()];
      const std::int32_t expected = b.span < 0 ? b.min : b.min + C().c_rand() % (b.span + 1);
      const std::int32_t ours = CallCommand(cc::kRandomNumber, {b.low, b.high}).Int();
      ASSERT_EQ(ours, expected) << "seed " << seed << ", call " << i;
    }
  }
}

}  // namespace
}  // namespace quarrow
