#include "units/label_properties.h"

#include <gtest/gtest.h>

#include "tests/core/property_block_samples.h"

namespace quarrow::test {
namespace {

TEST(LabelProperties, BlockKeepsBorderWidthBeforeBorderAndVAlignmentBeforeWordWrap) {
  const LabelProperties p = BlockTraits<LabelProperties>::Sample();
  const Bytes b = p.Save();
  EXPECT_EQ(WordAt(b, 4), 3u);    // Effect
  EXPECT_EQ(WordAt(b, 8), 12u);   // BorderWidth
  EXPECT_EQ(WordAt(b, 12), 6u);   // Border
  EXPECT_EQ(WordAt(b, 16), 0x111111u);
  EXPECT_EQ(WordAt(b, 20), 0xFF000000u);
  EXPECT_EQ(WordAt(b, 24), 0x333333u);
  EXPECT_EQ(WordAt(b, 28), 0x00FF00u);  // TextColor
  EXPECT_EQ(WordAt(b, 32), 0x123456u);  // BackColor
  EXPECT_EQ(WordAt(b, 36), 2u);         // PictureMode
  EXPECT_EQ(WordAt(b, 40), 7u);         // BackGradient
  EXPECT_EQ(WordAt(b, 44), 0x444444u);
  EXPECT_EQ(WordAt(b, 48), 0x555555u);
  EXPECT_EQ(WordAt(b, 52), 0x666666u);
  EXPECT_EQ(WordAt(b, 56), 2u);  // Alignment
  EXPECT_EQ(WordAt(b, 60), 0u);  // VAlignment
  EXPECT_EQ(WordAt(b, 64), 1u);  // WordWrap
  EXPECT_EQ(WordAt(b, 68), 60u);                    // Font
  EXPECT_EQ(WordAt(b, 72 + 60), p.picture.size());  // Picture, then Text
  EXPECT_EQ(WordAt(b, 76 + 60 + p.picture.size()), p.text.size());
}

TEST(LabelProperties, DefaultsAsStored) {
  const LabelProperties p;
  EXPECT_EQ(p.text, "标签");
  const Bytes b = p.Save();
  EXPECT_EQ(WordAt(b, 8), 8u);  // BorderWidth
  EXPECT_EQ(WordAt(b, 16), 0x808080u);
  EXPECT_EQ(WordAt(b, 20), 0xFFFFFFu);
  EXPECT_EQ(WordAt(b, 32), kButtonFaceColor);
  EXPECT_EQ(WordAt(b, 36), 1u);  // tiled
  EXPECT_EQ(WordAt(b, 60), 1u);  // centred vertically
}

TEST(LabelProperties, ValuesAreClampedToTheirRanges) {
  struct Case {
    std::int32_t (*clamp)(std::int32_t);
    std::int32_t in, out;
  };
  const Case cases[] = {
      {label::ClampBorderWidth, 0, 5},   {label::ClampBorderWidth, 4, 5},   {label::ClampBorderWidth, -9, 5},
      {label::ClampBorderWidth, 5, 5},   {label::ClampBorderWidth, 7, 7},   {label::ClampEffect, 4, 3},
      {label::ClampEffect, -1, 0},       {label::ClampBorder, 6, 6},        {label::ClampBorder, 7, 6},
      {label::ClampBorder, -2, 0},       {label::ClampPictureMode, 3, 2},   {label::ClampBackGradient, 9, 8},
      {label::ClampBackGradient, 8, 8},  {label::ClampBackGradient, -1, 0}, {label::ClampAlignment, 3, 2},
      {label::ClampVAlignment, -1, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.clamp(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace quarrow::test
