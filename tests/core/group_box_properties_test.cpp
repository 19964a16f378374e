#include "units/group_box_properties.h"

#include <gtest/gtest.h>

#include "tests/core/property_block_samples.h"

namespace quarrow::test {
namespace {

TEST(GroupBoxProperties, BlockHoldsWordsThenFontAndText) {
  const GroupBoxProperties p = BlockTraits<GroupBoxProperties>::Sample();
  const Bytes b = p.Save();
  EXPECT_EQ(WordAt(b, 4), 1u);  // Alignment
  EXPECT_EQ(WordAt(b, 8), 0x010203u);
  EXPECT_EQ(WordAt(b, 12), 0x040506u);
  EXPECT_EQ(WordAt(b, 16), 60u);
  EXPECT_EQ(WordAt(b, 80), p.text.size());
  EXPECT_EQ(b.size(), 84 + p.text.size());
}

TEST(GroupBoxProperties, DefaultsHaveNoCaption) {
  const Bytes b = GroupBoxProperties{}.Save();
  EXPECT_EQ(b.size(), 24u);
  EXPECT_EQ(WordAt(b, 12), kButtonFaceColor);
  EXPECT_EQ(WordAt(b, 20), 0u);
}

TEST(GroupBoxProperties, AlignmentIsClamped) {
  EXPECT_EQ(group_box::ClampAlignment(3), 2);  // caption on the right
  EXPECT_EQ(group_box::ClampAlignment(-4), 0);
  EXPECT_EQ(group_box::ClampAlignment(1), 1);
}

}  // namespace
}  // namespace quarrow::test
