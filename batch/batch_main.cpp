// quarrow-batch: the window's addresses without the window, written to standard output or a file.
#include <chrono>
#include <cstdio>
#include <span>

#include "batch/batch_options.h"
#include "batch/batch_run.h"
#include "batch/interruption.h"
#include "places/division_table.h"
#include "batch/output_target.h"
#include "commands/random_numbers.h"

namespace {

constexpr char kVersion[] = "quarrow-batch 1.1";

#ifdef _WIN32
constexpr auto kArgumentBytes = quarrow::batch::ArgumentBytes::kGbk;
#else
constexpr auto kArgumentBytes = quarrow::batch::ArgumentBytes::kUtf8OrGbk;
#endif

// A seed from the clock when none is given, as the window takes one: milliseconds and the seed counter.
std::uint32_t ClockSeed() {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch()).count();
  return quarrow::ProcessClockSeeds().Next(static_cast<std::uint32_t>(ms));
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quarrow::batch;
  Options options;
  try {
    options = ParseOptions(std::span<const char* const>(argv + 1, argc > 0 ? argc - 1 : 0), kArgumentBytes,
                           StandardErrorIsTerminal());
  } catch (const UsageError& e) {
    std::fprintf(stderr, "quarrow-batch: %s\n", e.what());
    return kBadInput;
  }
  if (options.help) {
    std::fputs(ConsoleText(HelpText()).c_str(), stdout);
    return kWritten;
  }
  if (options.version) {
    std::printf("%s (regions: %s)\n", kVersion, quarrow::places::divisions::kSource);
    return kWritten;
  }
  // Only for the run: --help and --version end as any program would, and no thread runs yet.
  InstallInterruptHandlers();
  return Run(options, ClockSeed());
}
