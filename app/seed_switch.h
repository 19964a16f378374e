// The window's one command-line switch, "--seed S" (or "--seed=S"): the random numbers start from S instead of the
// clock, so that a run of the window can be repeated row for row, and matched by quarrow-batch --seed S.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quarrow::app {

struct SeedSwitch {
  bool given = false;                 // the switch is on the command line
  std::optional<std::uint32_t> seed;  // S, when it is one number from 0 to 4294967295, given once
  // A switch whose seed cannot be used: running from the clock instead would look repeatable and not be.
  bool Refused() const { return given && !seed; }
};

// The switch in a whole command line as the system hands it over (the program's name first, quoted when it holds
// spaces).
SeedSwitch ReadSeedSwitch(std::string_view command_line);

// What the program tells the user when it refuses the switch, and the exit code it then ends with.
inline constexpr char kSeedSwitchUsage[] =
    "--seed 后面须是 0 到 4294967295 之间的整数（例如 --seed 42 或 --seed=42），且只能指定一次。";
inline constexpr std::int32_t kSeedSwitchRefusedExit = 2;

}  // namespace quarrow::app
