// quarrow-batch: the window's addresses without the window, written to standard output or a file.
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <span>
#include <string>

#include "batch/batch_options.h"
#include "batch/batch_run.h"
#include "batch/interruption.h"
#include "batch/messages.h"
#include "batch/output_target.h"
#include "commands/random_numbers.h"
#include "places/division_table.h"

namespace {

constexpr char kVersion[] = "quarrow-batch 1.2";

#ifdef _WIN32
constexpr auto kArgumentBytes = quarrow::batch::ArgumentBytes::kGbk;
int ProcessNumber() { return ::_getpid(); }
#else
constexpr auto kArgumentBytes = quarrow::batch::ArgumentBytes::kUtf8OrGbk;
int ProcessNumber() { return ::getpid(); }
#endif

// A seed for a run that names none. Runs started together must not share one: the clock to its finest unit, the
// process and the system's random source all go into it.
std::uint32_t FreshSeed() {
  using namespace std::chrono;
  std::uint64_t z = quarrow::MixBits(static_cast<std::uint64_t>(system_clock::now().time_since_epoch().count()));
  z = quarrow::MixBits(z ^ static_cast<std::uint64_t>(steady_clock::now().time_since_epoch().count()));
  z = quarrow::MixBits(z + static_cast<std::uint64_t>(ProcessNumber()) * quarrow::kGoldenStep);
  try {
    z = quarrow::MixBits(z ^ std::random_device()());
  } catch (const std::exception&) {
    // A system without a random source still has the clock and the process.
  }
  return static_cast<std::uint32_t>(z ^ (z >> 32));
}

// --help and --version succeed only when their text reached standard output.
int PrintToStandardOutput(const std::string& text) {
  if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
    quarrow::batch::PrintMessage(std::string("cannot write standard output: ") + std::strerror(errno));
    return quarrow::batch::kWriteFailed;
  }
  return quarrow::batch::kWritten;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quarrow::batch;
  Options options;
  try {
    options = ParseOptions(std::span<const char* const>(argv + 1, argc > 0 ? argc - 1 : 0), kArgumentBytes,
                           StandardErrorIsTerminal());
  } catch (const UsageError& e) {
    PrintMessage(e.what());
    return kBadInput;
  }
  if (options.help) return PrintToStandardOutput(ConsoleText(HelpText()));
  if (options.version) {
    return PrintToStandardOutput(std::string(kVersion) + " (regions: " + quarrow::places::divisions::kSource + ")\n");
  }
  // Only for the run: --help and --version end as any program would, and no thread runs yet.
  InstallInterruptHandlers();
  return Run(options, FreshSeed());
}
