#include "units/edit_box_properties.h"

#include <gtest/gtest.h>

#include "tests/core/property_block_samples.h"

namespace quarrow::test {
namespace {

TEST(EditBoxProperties, BlockHoldsTheFieldsAtTheirOffsets) {
  const EditBoxProperties p = BlockTraits<EditBoxProperties>::Sample();
  const Bytes b = p.Save();
  EXPECT_EQ(WordAt(b, 4), 5u);            // Border
  EXPECT_EQ(WordAt(b, 8), 0x0000FFu);     // TextColor
  EXPECT_EQ(WordAt(b, 12), 0xFF000000u);  // BackColor
  EXPECT_EQ(WordAt(b, 16), 0u);           // HideSelection
  EXPECT_EQ(WordAt(b, 20), 5u);           // MaxLength
  EXPECT_EQ(WordAt(b, 24), 1u);           // MultiLine
  EXPECT_EQ(WordAt(b, 28), 3u);           // ScrollBars
  EXPECT_EQ(WordAt(b, 32), 2u);           // Alignment
  EXPECT_EQ(WordAt(b, 36), 11u);          // InputMode
  EXPECT_EQ(HalfAt(b, 40), '#');          // PasswordChar, two bytes
  EXPECT_EQ(WordAt(b, 42), 1u);           // LetterCase
  EXPECT_EQ(WordAt(b, 46), 2u);           // AdjusterStyle
  EXPECT_EQ(WordAt(b, 50), static_cast<std::uint32_t>(-7));
  EXPECT_EQ(WordAt(b, 54), 70000u);       // AdjusterMax
  EXPECT_EQ(WordAt(b, 58), 3u);           // SelStart
  EXPECT_EQ(WordAt(b, 62), 9u);           // SelLength
  EXPECT_EQ(WordAt(b, 66), 60u);          // Font, then Text
  EXPECT_EQ(WordAt(b, 70 + 60), p.text.size());
  EXPECT_EQ(b.size(), 70 + 60 + 4 + p.text.size() + 4 + p.data_source.size() + 4 + p.data_column.size());
}

TEST(EditBoxProperties, DefaultsAsStored) {
  const Bytes b = EditBoxProperties{}.Save();
  EXPECT_EQ(b.size(), 82u);  // 66 bytes of words, then the empty font and three empty texts
  EXPECT_EQ(WordAt(b, 4), 1u);
  EXPECT_EQ(WordAt(b, 12), 0xFFFFFFu);
  EXPECT_EQ(WordAt(b, 16), 1u);  // selection hidden
  EXPECT_EQ(HalfAt(b, 40), '*');
  EXPECT_EQ(WordAt(b, 54), 100u);
}

TEST(EditBoxProperties, PasswordCharacterIsTheLowByte) {
  Bytes b = BlockTraits<EditBoxProperties>::Sample().Save();
  b[41] = 0x7F;
  EditBoxProperties p;
  ASSERT_TRUE(p.Load(b));
  EXPECT_EQ(p.password_char, '#');
  EXPECT_EQ(edit_box::PasswordCharOf("$x"), '$');
  EXPECT_EQ(edit_box::PasswordCharOf(""), 0);
  EXPECT_EQ(edit_box::PasswordCharOf(nullptr), 0);
}

TEST(EditBoxProperties, ChoicesAreClampedToTheirRanges) {
  struct Case {
    std::int32_t (*clamp)(std::int32_t);
    std::int32_t in, out;
  };
  const Case cases[] = {
      {edit_box::ClampScrollBars, 4, 3},     {edit_box::ClampScrollBars, -1, 0},
      {edit_box::ClampAlignment, 3, 2},      {edit_box::ClampAlignment, 1, 1},
      {edit_box::ClampInputMode, 12, 11},    {edit_box::ClampInputMode, -3, 0},
      {edit_box::ClampInputMode, 7, 7},      {edit_box::ClampLetterCase, 9, 2},
      {edit_box::ClampAdjusterStyle, 3, 2},  {edit_box::ClampAdjusterStyle, -1, 0},
      {edit_box::ClampMaxLength, -5, 0},     {edit_box::ClampMaxLength, 70000, 70000},
  };
  for (const Case& c : cases) EXPECT_EQ(c.clamp(c.in), c.out) << c.in;
}

TEST(EditBoxProperties, SelectionSettersHandleTheSpecialValues) {
  using edit_box::Selection;
  const Selection current{2, 3};
  EXPECT_EQ(edit_box::WithSelStart(current, -1, 10), (Selection{10, 0}));  // caret after the text
  EXPECT_EQ(edit_box::WithSelStart(current, -4, 10), (Selection{0, 3}));
  EXPECT_EQ(edit_box::WithSelStart(current, 6, 10), (Selection{6, 3}));
  EXPECT_EQ(edit_box::WithSelLength(current, -1, 10), (Selection{0, 10}));  // all of it
  EXPECT_EQ(edit_box::WithSelLength(current, -2, 10), (Selection{2, 0}));
  EXPECT_EQ(edit_box::WithSelLength(current, 5, 10), (Selection{2, 5}));
  EXPECT_EQ((Selection{2, 5}).End(), 7);
  EXPECT_EQ((Selection{0x7FFFFFF0, 0x7FFFFFF0}).End(), 0x7FFFFFFF);
}

}  // namespace
}  // namespace quarrow::test
