// The file types of a CommonDlg's Filter as the system's file dialogs take them, and the initial type number.
#include <gtest/gtest.h>

#include <string>

#include "units/file_dialog_filter.h"

namespace quarrow::common_dlg {
namespace {

using namespace std::string_literals;

const std::string kTwoTypes = "文本文件 (*.txt)\0*.txt\0所有文件 (*.*)\0*.*\0\0"s;

TEST(FileDialogFilter, AClosedFilterGetsNoSecondPair) {
  EXPECT_EQ(SystemFilter("文本文件 (*.txt)|*.txt|所有文件 (*.*)|*.*||"), kTwoTypes);
}

TEST(FileDialogFilter, AnOpenFilterIsTrimmedAndClosed) {
  EXPECT_EQ(SystemFilter("文本文件 (*.txt)|*.txt|所有文件 (*.*)|*.*  \t\r\n"), kTwoTypes);
  EXPECT_EQ(SystemFilter("文本文件 (*.txt)|*.txt|所有文件 (*.*)|*.*||   "), kTwoTypes);
  EXPECT_EQ(SystemFilter("a|*.a|"), "a\0*.a\0\0\0"s) << "one bar is no pair: two more are added";
  EXPECT_EQ(SystemFilter("  a|*.a"), "  a\0*.a\0\0"s) << "only trailing space is removed";
}

TEST(FileDialogFilter, EmptyAndBlankFiltersGiveNone) {
  EXPECT_EQ(SystemFilter(""), "");
  EXPECT_EQ(SystemFilter(" \t "), "");
  EXPECT_EQ(SystemFilter("||"), "\0\0"s);
}

TEST(FileDialogFilter, ABarInsideADoubleByteCharacterSeparatesNothing) {
  // The second byte of "亅" is the byte of "|".
  const std::string description = "亅";
  ASSERT_EQ(description.size(), 2u);
  ASSERT_EQ(description[1], '|');
  EXPECT_EQ(SystemFilter(description + "|*.txt"), description + "\0*.txt\0\0"s);
  EXPECT_EQ(SystemFilter("*.a|" + description + "|"), "*.a\0"s + description + "\0\0\0"s)
      << "the character's byte and one bar are no closing pair";
  EXPECT_EQ(SystemFilter("x|" + description + "||"), "x\0"s + description + "\0\0"s);
}

TEST(FileDialogFilter, TheInitialTypeNumberCountsFromOneWhenThereAreTypes) {
  const std::string filter = SystemFilter("a|*.a|b|*.b");
  EXPECT_EQ(InitialFilterNumber(filter, 0), 1u);
  EXPECT_EQ(InitialFilterNumber(filter, 1), 2u);
  EXPECT_EQ(InitialFilterNumber(filter, -5), 1u);
  EXPECT_EQ(InitialFilterNumber("", 1), 0u);
}

}  // namespace
}  // namespace quarrow::common_dlg
