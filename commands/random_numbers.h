// Random numbers: a linear congruential generator per thread, the clock seed, and the reduction of a draw to a
// range of integers.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

namespace quarrow {

// state = state × 214013 + 2531011 (mod 2^32); each draw yields bits 16..30 of the new state, 0..32767. The same
// seed gives the same sequence as the Windows C runtime's srand/rand.
class RandomGenerator {
 public:
  void Seed(std::uint32_t seed) { state_ = seed; }
  std::int32_t Draw() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<std::int32_t>((state_ >> 16) & 0x7FFF);
  }
  std::uint32_t State() const { return state_; }
  // Moves on as `draws` draws would, in steps as many as the bits of `draws`: a step applied twice is again a
  // step of the same form, state × m + a, so the steps of 1, 2, 4, ... draws are squared out of each other.
  void Skip(std::uint64_t draws) {
    std::uint32_t m = 214013u, a = 2531011u;
    std::uint32_t total_m = 1, total_a = 0;
    for (; draws != 0; draws >>= 1) {
      if (draws & 1) {
        total_m *= m;
        total_a = total_a * m + a;
      }
      a = (m + 1) * a;
      m *= m;
    }
    state_ = state_ * total_m + total_a;
  }

 private:
  std::uint32_t state_ = 1;
};

// SplitMix64's mixing of one 64-bit number: every bit of the result depends on every bit of `z`. Numbers a
// fixed odd step apart give results that pass for independent draws.
constexpr std::uint64_t MixBits(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}
inline constexpr std::uint64_t kGoldenStep = 0x9E3779B97F4A7C15u;

// The generator of the calling thread; each thread starts with state 1.
RandomGenerator& ThreadRandomGenerator();

// Seeds taken from the clock: two calls within the same millisecond still get different seeds, because a counter
// moves on by at least 100 with every seed it hands out.
class ClockSeeds {
 public:
  // seed = tick + k, and the counter k becomes k + (seed & 0xFF) + 100, all wrapping at 32 bits.
  std::uint32_t Next(std::uint32_t tick_count);

 private:
  std::atomic<std::uint32_t> counter_{0};
};

// The process's clock-seed counter.
ClockSeeds& ProcessClockSeeds();

// A number in [low, high], both inclusive, in either order. An omitted low is 0, an omitted high 2147483647, and
// a negative bound counts as 0. Equal bounds return that bound without a draw; otherwise exactly one draw is
// consumed and the result is min + draw mod (span + 1), the span capped at 2147483646. Only 32768 offsets can
// occur, so min + 32767 is the largest result of a wide range.
// Inline, so that a caller with fixed bounds (the batch program's auto mode) reduces by a constant.
inline std::int32_t RandomNumber(RandomGenerator& generator, std::optional<std::int32_t> low,
                                 std::optional<std::int32_t> high) {
  std::int32_t lo = low.value_or(0);
  std::int32_t hi = high.value_or(2147483647);
  if (lo < 0) lo = 0;
  if (hi < 0) hi = 0;
  const std::int32_t min = lo < hi ? lo : hi;
  const std::int32_t max = lo < hi ? hi : lo;
  if (min == max) return min;
  std::int32_t span = max - min;  // both bounds are 0 or more, so this cannot overflow
  if (span > 2147483646) span = 2147483646;
  return min + generator.Draw() % (span + 1);
}

}  // namespace quarrow
