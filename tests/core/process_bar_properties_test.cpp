#include "units/process_bar_properties.h"

#include <gtest/gtest.h>

#include "tests/core/property_block_samples.h"

namespace quarrow::test {
namespace {

TEST(ProcessBarProperties, BlockIsSevenWords) {
  const Bytes b = BlockTraits<ProcessBarProperties>::Sample().Save();
  ASSERT_EQ(b.size(), 28u);
  const std::uint32_t expected[] = {1, 0, 1, 1, 10, 32767, 25};
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(WordAt(b, 4 * i), expected[i]) << i;

  const Bytes d = ProcessBarProperties{}.Save();
  const std::uint32_t defaults[] = {1, 3, 0, 0, 0, 100, 0};
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(WordAt(d, 4 * i), defaults[i]) << i;
}

TEST(ProcessBarProperties, ValuesAreLimitedTo0Through32767) {
  EXPECT_EQ(process_bar::ClampValue(50000), 32767);
  EXPECT_EQ(process_bar::ClampValue(-10), 0);
  EXPECT_EQ(process_bar::ClampValue(80), 80);
  EXPECT_EQ(process_bar::ClampBorder(9), 5);
  EXPECT_EQ(process_bar::ClampOrientation(2), 1);
  EXPECT_EQ(process_bar::ClampBarStyle(-1), 0);
}

TEST(ProcessBarProperties, TheControlGetsAnOrderedRangeAndAPositionInsideIt) {
  using process_bar::ControlRange;
  ProcessBarProperties p;
  p.minimum = 10;
  p.maximum = 20;
  p.position = 5;
  EXPECT_EQ(process_bar::PositionForControl(p), 10);
  p.position = 25;
  EXPECT_EQ(process_bar::PositionForControl(p), 20);
  ProcessBarProperties stored;
  ASSERT_TRUE(stored.Load(p.Save()));
  EXPECT_EQ(stored.position, 25) << "stored as set, outside the range";
  p.position = 15;
  EXPECT_EQ(process_bar::PositionForControl(p), 15);

  p.minimum = 80;
  p.maximum = 20;
  EXPECT_EQ(process_bar::RangeForControl(p), (ControlRange{20, 80}));
  p.position = 50;
  EXPECT_EQ(process_bar::PositionForControl(p), 50);  // inside the reversed range, shown where it is
  p.position = 90;
  EXPECT_EQ(process_bar::PositionForControl(p), 80);
}

TEST(ProcessBarProperties, ValuesFromABlockAreLimitedForTheControl) {
  ProcessBarProperties p;
  p.minimum = -5;
  p.maximum = 50000;
  p.position = 40000;
  ProcessBarProperties loaded;
  ASSERT_TRUE(loaded.Load(p.Save()));
  EXPECT_EQ(loaded.maximum, 50000);  // kept as stored
  EXPECT_EQ(process_bar::RangeForControl(loaded), (process_bar::ControlRange{0, 32767}));
  EXPECT_EQ(process_bar::PositionForControl(loaded), 32767);
}

}  // namespace
}  // namespace quarrow::test
