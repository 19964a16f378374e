#include "units/button_properties.h"

#include <gtest/gtest.h>

#include "tests/core/property_block_samples.h"

namespace quarrow::test {
namespace {

TEST(ButtonProperties, BlockHoldsWordsThenPictureFontText) {
  const ButtonProperties p = BlockTraits<ButtonProperties>::Sample();
  const Bytes b = p.Save();
  EXPECT_EQ(WordAt(b, 4), 1u);   // ButtonType
  EXPECT_EQ(WordAt(b, 8), 0u);   // Alignment
  EXPECT_EQ(WordAt(b, 12), 2u);  // VAlignment
  EXPECT_EQ(WordAt(b, 16), p.picture.size());
  EXPECT_EQ(WordAt(b, 20 + p.picture.size()), 60u);
  EXPECT_EQ(WordAt(b, 24 + p.picture.size() + 60), p.text.size());
}

TEST(ButtonProperties, DefaultsAsStored) {
  const ButtonProperties p;
  EXPECT_EQ(p.text, "按钮");
  const Bytes b = p.Save();
  EXPECT_EQ(WordAt(b, 4), 0u);
  EXPECT_EQ(WordAt(b, 8), 1u);
  EXPECT_EQ(WordAt(b, 12), 1u);
}

TEST(ButtonProperties, ChoicesAreClamped) {
  EXPECT_EQ(button::ClampButtonType(5), 1);
  EXPECT_EQ(button::ClampButtonType(-1), 0);
  EXPECT_EQ(button::ClampButtonType(1), button::kDefaultButton);
  EXPECT_EQ(button::ClampAlignment(3), 2);
  EXPECT_EQ(button::ClampAlignment(-3), 0);
  EXPECT_EQ(button::ClampVAlignment(9), 2);
}

}  // namespace
}  // namespace quarrow::test
