// Ending a program with sounds playing, watched from outside: shutdown stops every sound and waits for its
// worker, well within the players' time-out, and the process still ends with its exit code.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/probe.h"

namespace quarrow::testing {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct Outcome {
  std::optional<std::uint32_t> exit_code;
  std::vector<std::string> log;
  std::vector<SeenBox> boxes;
};

Outcome RunProbe(const std::string& scenario) {
  ProbeOutcome outcome = testing::RunProbe("sound_probe.exe", scenario, 60000);
  return {outcome.exit_code, Lines(outcome.log), outcome.boxes};
}

void ExpectSoundsStoppedByShutdown(const Outcome& o) {
  EXPECT_TRUE(o.boxes.empty());
  ASSERT_EQ(o.log.size(), 5u) << "started, shutdown, and one line per closed device";
  EXPECT_EQ(o.log[0], "started 4 and the window's, playing 5");
  EXPECT_EQ(o.log[1], "shutdown with 5 playing");
  for (std::size_t i = 2; i < 5; ++i) {
    ASSERT_EQ(o.log[i].rfind("closed ", 0), 0u) << o.log[i];
    EXPECT_LT(std::stoul(o.log[i].substr(7)), 8888u) << "stopped by shutdown, not ended by the time-out";
  }
}

TEST(SoundProcess, EndProgramWithSoundsPlayingStopsThemAllAndExitsWithItsCode) {
  const Outcome o = RunProbe("end-program");
  EXPECT_EQ(o.exit_code, 5u);
  ExpectSoundsStoppedByShutdown(o);
}

TEST(SoundProcess, ReturningFromTheStartRoutineWithSoundsPlayingStopsThemAllAndExitsWithZero) {
  const Outcome o = RunProbe("return");
  EXPECT_EQ(o.exit_code, 0u);
  ExpectSoundsStoppedByShutdown(o);
}

}  // namespace
}  // namespace quarrow::testing
