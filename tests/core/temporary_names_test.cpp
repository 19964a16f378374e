#include "commands/temporary_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quarrow {
namespace {

TEST(TemporaryNames, AreTheStemTheAttemptAndTmp) {
  const std::string stem = TemporaryStem("out.txt");
  ASSERT_EQ(stem.size(), 12u);
  EXPECT_EQ(stem.substr(0, 4), "~qrw");
  const std::string name = TemporaryName(stem, 0x0012ABCD);
  EXPECT_EQ(name, stem + "0012ABCD.tmp");
  EXPECT_EQ(name.size(), kTemporaryNameLength);
  EXPECT_TRUE(IsTemporaryOf(stem, name));
}

TEST(TemporaryNames, ShareAStemOnlyForOneTargetName) {
  EXPECT_EQ(TemporaryStem("Out.TXT"), TemporaryStem("out.txt")) << "one file, however its letters are written";
  EXPECT_EQ(TemporaryStem("地址.txt"), TemporaryStem("地址.TXT"));
  std::set<std::string> stems;
  for (const char* name : {"out.txt", "out.txt.txt", "out", "0ut.txt", "地址.txt", "地圵.txt", "", "a", "b"}) {
    stems.insert(TemporaryStem(name));
  }
  EXPECT_EQ(stems.size(), 9u);
}

TEST(TemporaryNames, RecogniseOnlyTheirOwnShape) {
  const std::string stem = TemporaryStem("out.txt");
  const std::string other = TemporaryStem("other.txt");
  const std::string digits = stem.substr(4);
  EXPECT_TRUE(IsTemporaryOf(stem, stem + "deadbeef.TMP")) << "the system may give the name in either case";
  EXPECT_TRUE(IsTemporaryOf(stem, "~QRW" + digits + "00000000.tmp"));
  EXPECT_FALSE(IsTemporaryOf(stem, TemporaryName(other, 1)));
  EXPECT_FALSE(IsTemporaryOf(stem, stem + "0000000G.tmp"));
  EXPECT_FALSE(IsTemporaryOf(stem, stem + "0000000.tmp"));
  EXPECT_FALSE(IsTemporaryOf(stem, stem + "000000000.tmp"));
  EXPECT_FALSE(IsTemporaryOf(stem, stem + "00000000.txt"));
  EXPECT_FALSE(IsTemporaryOf(stem, stem + "00000000.tmp "));
  EXPECT_FALSE(IsTemporaryOf(stem, "out.txt"));
  EXPECT_FALSE(IsTemporaryOf(stem, ""));
  EXPECT_FALSE(IsTemporaryOf("", TemporaryName(stem, 1)));
}

}  // namespace
}  // namespace quarrow
