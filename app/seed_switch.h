// The window's one command-line switch, "--seed S" (or "--seed=S"): the random numbers start from S instead of the
// clock, so that a run of the window can be repeated row for row, and matched by quarrow-batch --seed S.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quarrow::app {

// S from a whole command line as the system hands it over (the program's name first, quoted when it holds
// spaces). Nothing when the switch is absent, or its value is not a number from 0 to 4294967295.
std::optional<std::uint32_t> SeedSwitch(std::string_view command_line);

}  // namespace quarrow::app
