#include "commands/random_numbers.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

namespace quarrow {
namespace {

TEST(RandomGenerator, StartsAtOneAndStepsTheClassicSequence) {
  RandomGenerator g;
  EXPECT_EQ(g.State(), 1u);
  EXPECT_EQ(g.Draw(), 41);
  EXPECT_EQ(g.Draw(), 18467);
  EXPECT_EQ(g.Draw(), 6334);
  EXPECT_EQ(g.Draw(), 26500);
  g.Seed(0xFFFFFFFFu);
  const std::uint32_t next = 0xFFFFFFFFu * 214013u + 2531011u;
  EXPECT_EQ(g.Draw(), static_cast<std::int32_t>((next >> 16) & 0x7FFF)) << "the state wraps at 32 bits";
}

TEST(RandomGenerator, SkippingLandsWhereTheDrawsWouldHaveLed) {
  RandomGenerator drawn, skipped;
  drawn.Seed(0xDEADBEEF);
  std::uint64_t done = 0;
  for (const std::uint64_t draws : {0ull, 1ull, 2ull, 7ull, 10ull, 65536ull, 1000003ull}) {
    for (; done < draws; ++done) drawn.Draw();
    skipped.Seed(0xDEADBEEF);
    skipped.Skip(draws);
    EXPECT_EQ(skipped.State(), drawn.State()) << draws << " draws";
  }
  skipped.Seed(5);
  skipped.Skip(std::uint64_t{1} << 32);
  EXPECT_EQ(skipped.State(), 5u) << "the generator comes round after 2^32 draws";
}

TEST(RandomNumber, FirstDrawAfterSeedOneIs41) {
  RandomGenerator g;
  g.Seed(1);
  EXPECT_EQ(RandomNumber(g, 0, 99), 41);
}

TEST(RandomNumber, EqualBoundsReturnTheBoundWithoutADraw) {
  RandomGenerator g;
  EXPECT_EQ(RandomNumber(g, 5, 5), 5);
  EXPECT_EQ(g.State(), 1u);
  EXPECT_EQ(RandomNumber(g, -4, -9), 0) << "both negative: both 0";
  EXPECT_EQ(g.State(), 1u);
}

TEST(RandomNumber, BoundsMayComeInEitherOrder) {
  RandomGenerator a, b;
  for (int i = 0; i < 500; ++i) {
    const std::int32_t x = RandomNumber(a, 9, 1);
    EXPECT_EQ(x, RandomNumber(b, 1, 9));
    EXPECT_GE(x, 1);
    EXPECT_LE(x, 9);
  }
}

TEST(RandomNumber, NegativeBoundsCountAsZero) {
  RandomGenerator g;
  std::set<std::int32_t> seen;
  for (int i = 0; i < 300; ++i) seen.insert(RandomNumber(g, -3, 2));
  EXPECT_EQ(seen, (std::set<std::int32_t>{0, 1, 2}));
}

TEST(RandomNumber, OmittedBoundsGiveZeroToTheLargestDraw) {
  RandomGenerator g, reference;
  for (int i = 0; i < 1000; ++i) {
    const std::int32_t x = RandomNumber(g, std::nullopt, std::nullopt);
    EXPECT_EQ(x, reference.Draw()) << "span capped at 2147483646: the draw itself";
  }
  g.Seed(7);
  reference.Seed(7);
  EXPECT_EQ(RandomNumber(g, 100, std::nullopt), 100 + reference.Draw());
  EXPECT_EQ(RandomNumber(g, std::nullopt, 10), reference.Draw() % 11);
}

TEST(RandomNumber, ReducesExactlyOneDrawModuloTheSpan) {
  RandomGenerator g, reference;
  g.Seed(12345);
  reference.Seed(12345);
  for (int i = 0; i < 1000; ++i) {
    EXPECT_EQ(RandomNumber(g, 38, 80), 38 + reference.Draw() % 43);
  }
  EXPECT_EQ(RandomNumber(g, 2147483647, 0), reference.Draw()) << "the widest range";
}

TEST(ClockSeeds, MoveTheCounterOnSoThatOneMillisecondGivesDistinctSeeds) {
  ClockSeeds seeds;
  EXPECT_EQ(seeds.Next(1000), 1000u);                       // k = 0; k becomes 0 + (1000 & 0xFF) + 100 = 332
  EXPECT_EQ(seeds.Next(1000), 1332u);                       // k becomes 332 + (1332 & 0xFF) + 100 = 484
  EXPECT_EQ(seeds.Next(1000), 1484u);
  ClockSeeds wrapping;
  EXPECT_EQ(wrapping.Next(0xFFFFFFFFu), 0xFFFFFFFFu);       // k becomes 0xFF + 100 = 355
  EXPECT_EQ(wrapping.Next(0xFFFFFFFFu), 354u) << "seeds wrap at 32 bits";
}

TEST(ThreadRandomGenerator, EachThreadHasItsOwnStartingAtOne) {
  ThreadRandomGenerator().Seed(99);
  std::uint32_t other_state = 0;
  std::thread([&] { other_state = ThreadRandomGenerator().State(); }).join();
  EXPECT_EQ(other_state, 1u);
  EXPECT_EQ(ThreadRandomGenerator().State(), 99u);
}

}  // namespace
}  // namespace quarrow
