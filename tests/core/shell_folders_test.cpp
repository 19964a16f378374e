#include "commands/shell_folders.h"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

TEST(SpecialFolderOf, MapsTheElevenNumbersToTheirSources) {
  const int shell[] = {5, 6, 16, 20, 11, 2, 7, 26};
  for (int number = 1; number <= 8; ++number) {
    const SpecialFolder folder = SpecialFolderOf(number);
    EXPECT_EQ(folder.source, FolderSource::kShell) << number;
    EXPECT_EQ(folder.shell_folder, shell[number - 1]) << number;
  }
  EXPECT_EQ(SpecialFolderOf(3).shell_folder, 16) << "the desktop is the desktop directory, not the virtual desktop";
  EXPECT_EQ(SpecialFolderOf(9).source, FolderSource::kWindowsDirectory);
  EXPECT_EQ(SpecialFolderOf(10).source, FolderSource::kSystemDirectory);
  EXPECT_EQ(SpecialFolderOf(11).source, FolderSource::kTemporaryDirectory);
}

TEST(SpecialFolderOf, HasNoFolderForOtherNumbers) {
  for (int number : {0, 12, -1, -3, 16, 0x7FFFFFFF, static_cast<int>(0x80000003u)}) {
    EXPECT_EQ(SpecialFolderOf(number).source, FolderSource::kNone) << number;
  }
}

TEST(WithTrailingBackslash, AppendsOneOnlyWhenTheLastCharacterIsNotABackslash) {
  EXPECT_EQ(WithTrailingBackslash("C:\\users\\me\\Desktop"), "C:\\users\\me\\Desktop\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\windows\\temp\\"), "C:\\windows\\temp\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\"), "C:\\");
  EXPECT_EQ(WithTrailingBackslash(""), "") << "no folder stays no folder";
  EXPECT_EQ(WithTrailingBackslash("C:\\用户\\桌面"), "C:\\用户\\桌面\\");
}

TEST(WithTrailingBackslash, DoesNotTakeATrailByteForABackslash) {
  // "乗" is 81 5C in GBK: its second byte is the backslash's code, but the path does not end in a backslash.
  EXPECT_EQ(WithTrailingBackslash("C:\\数据乗"), "C:\\数据乗\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\乗\\"), "C:\\乗\\");
  EXPECT_EQ(WithTrailingBackslash("乗"), "乗\\");
}

}  // namespace
}  // namespace quarrow
