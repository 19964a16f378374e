// The window started with --seed and quarrow-batch with the same seed make the same rows: the window's rows,
// written as its export writes them, are the batch program's text output byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/e2e/driver/quarrow_session.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_folder.h"

namespace quarrow::e2e {
namespace {

constexpr int kRows = 40;

// The rows as the export writes them: number, prefix and address, CR LF.
std::string ExportBytes(const QuarrowSession& session) {
  std::string bytes;
  for (const auto& row : session.Rows()) bytes += row[0] + row[1] + "\r\n";
  return bytes;
}

std::string BatchOutput(const std::string& arguments) {
  const std::string out = testing::TemporaryPath("batch");
  const std::string program = testing::ProgramFolder() + "..\\..\\app\\quarrow-batch.exe";
  testing::ChildProcess batch = testing::ChildProcess::Start("\"" + program + "\" " + arguments + " --out \"" + out + "\"");
  EXPECT_TRUE(batch.Started());
  EXPECT_EQ(batch.Wait(60000), 0u) << arguments;
  std::string bytes = testing::FileBytes(out).value_or("");
  ::DeleteFileA(out.c_str());
  return bytes;
}

std::string ListFile(const std::string& names) {
  const std::string path = testing::TemporaryPath("names");
  std::ofstream(path, std::ios::binary) << names;
  return path;
}

class BatchMatchTest : public ::testing::Test {
 protected:
  void Generate(QuarrowSession& session) {
    ASSERT_TRUE(session.Started()) << "quarrow.exe did not show its window";
    session.TypeInto(session.PrefixBox(), "No.");
    session.Generate(std::to_string(kRows));
    ASSERT_TRUE(session.WaitForRows(kRows));
  }
  void TearDown() override {
    for (const std::string& file : files_) ::DeleteFileA(file.c_str());
  }
  std::vector<std::string> files_;
};

TEST_F(BatchMatchTest, AutoModeWithTheSameSeedGivesTheSameRows) {
  for (const char* seed : {"0", "4242", "4294967295"}) {
    QuarrowSession session(std::string("--seed ") + seed);
    Generate(session);
    EXPECT_EQ(ExportBytes(session),
              BatchOutput(std::string("--seed=") + seed + " --count " + std::to_string(kRows) + " --prefix No."))
        << "seed " << seed;
    EXPECT_EQ(session.Close(), 0u);
  }
}

TEST_F(BatchMatchTest, ManualModeWithTheSameSeedGivesTheSameRows) {
  QuarrowSession session("--seed 99");
  ASSERT_TRUE(session.Started());
  ClickCentre(session.AutoModeBox());
  ASSERT_TRUE(WaitUntil([&] { return ::SendMessageA(session.AutoModeBox(), BM_GETCHECK, 0, 0) == BST_UNCHECKED; },
                        10000));
  for (const char* road : {"Xinhua", "Renmin", "Jiefang"}) {
    session.TypeInto(session.RoadEntry(), road);
    ClickCentre(session.AddRoadButton());
  }
  for (const char* community : {"Heping", "Xingfu"}) {
    session.TypeInto(session.CommunityEntry(), community);
    ClickCentre(session.AddCommunityButton());
  }
  ASSERT_TRUE(WaitUntil([&] { return ReadListBox(session.CommunityList()).size() == 2; }, 10000));
  Generate(session);
  // The entry box keeps its text, so each name typed after the first adds to it.
  files_ = {ListFile("Xinhua\nXinhuaRenmin\nXinhuaRenminJiefang\n"), ListFile("Heping\r\nHepingXingfu\r\n")};
  // The window's min and max boxes start at 1 and 99, as the batch program's ranges do.
  EXPECT_EQ(ExportBytes(session), BatchOutput("--seed 99 --count " + std::to_string(kRows) + " --prefix No. --roads \"" +
                                              files_[0] + "\" --communities \"" + files_[1] + "\""));
  EXPECT_EQ(session.Close(), 0u);
}

}  // namespace
}  // namespace quarrow::e2e
