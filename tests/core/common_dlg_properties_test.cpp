#include "units/common_dlg_properties.h"

#include <gtest/gtest.h>

#include "tests/core/property_block_samples.h"

namespace quarrow::test {
namespace {

TEST(CommonDlgProperties, BlockHoldsFifteenWordsThenSevenTexts) {
  const CommonDlgProperties p = BlockTraits<CommonDlgProperties>::Sample();
  const Bytes b = p.Save();
  const std::uint32_t words[] = {1, 1, 1, 1, 0, 0, 0, 1, 0x0000FF, 1, 1, 1, 1, 12, 2, 42};
  for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(WordAt(b, 4 * i), words[i]) << "word " << i;
  std::size_t at = 64;
  for (const std::string* text : {&p.title, &p.file_name, &p.filter, &p.initial_dir, &p.default_ext,
                                  &p.font_name, &p.help_file}) {
    EXPECT_EQ(WordAt(b, at), text->size()) << *text;
    at += 4 + text->size();
  }
  EXPECT_EQ(b.size(), at);
}

TEST(CommonDlgProperties, DefaultsAsStored) {
  const Bytes b = CommonDlgProperties{}.Save();
  EXPECT_EQ(b.size(), 64u + 7 * 4);
  const std::uint32_t words[] = {1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(WordAt(b, 4 * i), words[i]) << "word " << i;
}

TEST(CommonDlgProperties, ValuesAreClamped) {
  EXPECT_EQ(common_dlg::ClampDialogType(7), 3);
  EXPECT_EQ(common_dlg::ClampDialogType(-1), 0);
  EXPECT_EQ(common_dlg::ClampHelpCommand(6), 5);
  EXPECT_EQ(common_dlg::ClampHelpCommand(-2), 0);
  EXPECT_EQ(common_dlg::ClampFilterIndex(-1), 0);
  EXPECT_EQ(common_dlg::ClampFilterIndex(4), 4);
  EXPECT_EQ(common_dlg::ClampFontSize(-12), 0);
  EXPECT_EQ(common_dlg::ClampFontSize(12), 12);
}

}  // namespace
}  // namespace quarrow::test
