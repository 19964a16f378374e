// An exhausted runtime heap, watched from outside the process: every entry that allocates ends the program with
// the box naming the size it asked for and exit code -1; the two entries that may fail answer with their neutral
// results and the program goes on.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/probe.h"

namespace quarrow::testing {
namespace {

ProbeOutcome RunProbe(const std::string& scenario, long number = 0) {
  return testing::RunProbe("memory_probe.exe", scenario, 30000, std::to_string(number));
}

std::string AllocationReport(const std::string& size) {
  return ErrorBoxText("分配 " + size + " 字节内存失败!");
}

// The size the probe's heap refused, from its log line "failed request <n> of <size> bytes".
std::string FailedSize(const std::string& log) {
  const std::string marker = "failed request ";
  const std::size_t at = log.find(marker);
  if (at == std::string::npos) return "";
  const std::size_t of = log.find(" of ", at);
  const std::size_t bytes = log.find(" bytes", of);
  if (of == std::string::npos || bytes == std::string::npos) return "";
  return log.substr(of + 4, bytes - of - 4);
}

void ExpectAllocationFailure(const ProbeOutcome& o, const std::string& size) {
  ASSERT_EQ(o.boxes.size(), 1u) << o.log;
  EXPECT_EQ(o.boxes[0].caption, "错误");
  EXPECT_EQ(o.boxes[0].text, AllocationReport(size));
  EXPECT_EQ(o.exit_code, kErrorExit);
  EXPECT_EQ(FailedSize(o.log), size) << o.log;
  EXPECT_EQ(o.log.find("returned"), std::string::npos) << "the program went on after the failure";
  EXPECT_TRUE(o.unexpected.empty());
}

TEST(ExhaustedHeap, EveryAllocatingEntryEndsTheProgramNamingTheRequestedSize) {
  const struct {
    const char* scenario;
    const char* size;
  } cases[] = {
      {"allocate", "1048576"},            // service entry 6
      {"reallocate", "4096"},             // service entry 7 on a heap block
      {"reallocate-constant", "2000"},    // service entry 7 on a literal, which is copied
      {"notify-allocate", "5000"},        // runtime notify 2024 without its flag
      {"notify-reallocate", "3000"},      // runtime notify 2026
      {"make-array-private", "8"},        // notify index 2 on the constant empty array
      {"core-command", "6"},              // entry 3: ToText(12345)
      {"core-command-above", "2008"},     // entry 3: ToByteSet of 2000 bytes
      {"library-command", "7"},           // entry 2: ListViewItemText of "abcdef"
      {"read-property", "3"},             // entry 4: the text "99" of an edit box
      {"read-detached-property", "3"},    // notify index 4: the same text, read from the unit object
      {"find-file", "17"},                // notify index 0: the name "memory_probe.exe"
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scenario);
    ExpectAllocationFailure(RunProbe(c.scenario), c.size);
  }
}

TEST(ExhaustedHeap, TheEntriesThatMayFailGiveTheirNeutralResults) {
  const ProbeOutcome o = RunProbe("may-fail");
  EXPECT_TRUE(o.boxes.empty());
  EXPECT_EQ(o.exit_code, 0u);
  EXPECT_EQ(o.log, "notify with flag: null, block\nRepeatText: \"\", \"ababab\"\nreturned\n");
}

// The n-th request of the runtime heap refused in the middle of the generate action and the clear, for every n
// of the run (about seventy requests for two rows): each ends in the box naming the refused size, never in a
// crash, a hang or a program that goes on.
void SweepGenerate(const char* scenario) {
  const ProbeOutcome full = RunProbe(scenario, 0);
  ASSERT_TRUE(full.boxes.empty());
  ASSERT_EQ(full.exit_code, 0u);
  int requests = 0;
  ASSERT_EQ(std::sscanf(full.log.c_str(), "requests %d", &requests), 1) << full.log;
  ASSERT_GT(requests, 10) << "the action asks the runtime heap for its texts";
  for (int n = 1; n <= requests; ++n) {
    SCOPED_TRACE("request " + std::to_string(n) + " of " + std::to_string(requests));
    const ProbeOutcome o = RunProbe(scenario, n);
    ASSERT_EQ(o.boxes.size(), 1u) << o.log;
    const std::string size = FailedSize(o.log);
    ASSERT_FALSE(size.empty()) << o.log;
    ExpectAllocationFailure(o, size);
  }
}

TEST(ExhaustedHeap, ARefusedRequestAnywhereInAnAutoModeRunEndsInTheBox) { SweepGenerate("generate-auto"); }

TEST(ExhaustedHeap, ARefusedRequestAnywhereInAManualModeRunEndsInTheBox) { SweepGenerate("generate-manual"); }

}  // namespace
}  // namespace quarrow::testing
