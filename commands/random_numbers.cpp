#include "commands/random_numbers.h"

namespace quarrow {

RandomGenerator& ThreadRandomGenerator() {
  thread_local RandomGenerator generator;
  return generator;
}

std::uint32_t ClockSeeds::Next(std::uint32_t tick_count) {
  std::uint32_t k = counter_.load();
  std::uint32_t seed;
  do {
    seed = tick_count + k;
  } while (!counter_.compare_exchange_weak(k, k + (seed & 0xFF) + 100));
  return seed;
}

ClockSeeds& ProcessClockSeeds() {
  static ClockSeeds seeds;
  return seeds;
}

std::int32_t RandomNumber(RandomGenerator& generator, std::optional<std::int32_t> low,
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
