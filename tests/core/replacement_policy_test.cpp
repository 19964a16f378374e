#include "commands/replacement_policy.h"

#include <gtest/gtest.h>

#include <string>

#include "commands/temporary_names.h"

namespace quarrow {
namespace {

TEST(ReplacementPolicy, ReplacesOnlyWhatCanBeStoredAndMayBeWritten) {
  EXPECT_EQ(ChooseTargetWay(TargetKind::kMissing, true), TargetWay::kReplace);
  EXPECT_EQ(ChooseTargetWay(TargetKind::kFile, true), TargetWay::kReplace);
  EXPECT_EQ(ChooseTargetWay(TargetKind::kFile, false), TargetWay::kRefuseUnwritable)
      << "a read-only file is not replaced behind its owner's back";
  EXPECT_EQ(ChooseTargetWay(TargetKind::kFolder, true), TargetWay::kRefuseFolder);
  EXPECT_EQ(ChooseTargetWay(TargetKind::kDevice, true), TargetWay::kWriteDirectly)
      << "a file in a device's place is no longer the device";
  EXPECT_EQ(ChooseTargetWay(TargetKind::kDevice, false), TargetWay::kWriteDirectly)
      << "whether a device takes the bytes is for its open and its writes to say";
}

TEST(ReplacementPolicy, ClearsAwayOnlyPlainWritableFilesOfTheTemporariesShape) {
  const std::string stem = TemporaryStem("out.txt");
  const std::string left = TemporaryName(stem, 0x1234ABCD);
  EXPECT_TRUE(MayBeStaleTemporary(stem, {left, true, false}));
  EXPECT_FALSE(MayBeStaleTemporary(stem, {left, true, true})) << "read-only: kept on purpose";
  EXPECT_FALSE(MayBeStaleTemporary(stem, {left, false, false})) << "a link, a folder, a FIFO or a device";
  EXPECT_FALSE(MayBeStaleTemporary(stem, {TemporaryName(TemporaryStem("other.txt"), 1), true, false}));
  EXPECT_FALSE(MayBeStaleTemporary(stem, {"out.txt", true, false}));
}

}  // namespace
}  // namespace quarrow
