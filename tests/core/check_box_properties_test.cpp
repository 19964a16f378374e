#include "units/check_box_properties.h"

#include <gtest/gtest.h>

#include "tests/core/property_block_samples.h"

namespace quarrow::test {
namespace {

TEST(CheckBoxProperties, BlockHoldsWordsThenPictureFontTextAndBinding) {
  const CheckBoxProperties p = BlockTraits<CheckBoxProperties>::Sample();
  const Bytes b = p.Save();
  EXPECT_EQ(WordAt(b, 4), 1u);          // PushLike
  EXPECT_EQ(WordAt(b, 8), 1u);          // Flat
  EXPECT_EQ(WordAt(b, 12), 1u);         // BoxOnRight
  EXPECT_EQ(WordAt(b, 16), 1u);         // Alignment
  EXPECT_EQ(WordAt(b, 20), 2u);         // VAlignment
  EXPECT_EQ(WordAt(b, 24), 0xABCDEFu);  // TextColor
  EXPECT_EQ(WordAt(b, 28), 0xFFFFFFu);  // BackColor
  EXPECT_EQ(WordAt(b, 32), 1u);         // Checked
  EXPECT_EQ(WordAt(b, 36), p.picture.size());
  const std::size_t font_at = 40 + p.picture.size();
  EXPECT_EQ(WordAt(b, font_at), 60u);
  EXPECT_EQ(WordAt(b, font_at + 64), p.text.size());
  EXPECT_EQ(WordAt(b, font_at + 68 + p.text.size()), p.data_source.size());
}

TEST(CheckBoxProperties, DefaultsAsStored) {
  const CheckBoxProperties p;
  EXPECT_EQ(p.text, "选择框");
  const Bytes b = p.Save();
  EXPECT_EQ(WordAt(b, 16), 0u);
  EXPECT_EQ(WordAt(b, 20), 1u);
  EXPECT_EQ(WordAt(b, 28), kButtonFaceColor);
  EXPECT_EQ(WordAt(b, 32), 0u);
}

TEST(CheckBoxProperties, OnlyOneIsTrueInALogicalWord) {
  Bytes b = BlockTraits<CheckBoxProperties>::Sample().Save();
  b[32] = 2;  // Checked
  CheckBoxProperties p;
  ASSERT_TRUE(p.Load(b));
  EXPECT_FALSE(p.checked);
  EXPECT_TRUE(p.push_like);
}

TEST(CheckBoxProperties, AlignmentsAreClamped) {
  EXPECT_EQ(check_box::ClampAlignment(3), 2);
  EXPECT_EQ(check_box::ClampAlignment(-1), 0);
  EXPECT_EQ(check_box::ClampVAlignment(5), 2);
  EXPECT_EQ(check_box::ClampVAlignment(1), 1);
}

}  // namespace
}  // namespace quarrow::test
