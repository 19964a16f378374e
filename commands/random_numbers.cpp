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

}  // namespace quarrow
