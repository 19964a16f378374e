// quarrow-batch writing text rows (GBK) to a file, against writing the same bytes from memory to a file in the
// same run; with its peak memory. Then the same with --regions, against the rate without it. Optionally a second
// build (the Windows one under Wine) against the first.
//   batch_bench PROGRAM [ROWS] [-- OTHER COMMAND...]
// e.g. from a scratch folder, with a wineserver already running (wineserver -p), as the tests keep one:
//   batch_bench build/native/quarrow-batch 10000000 -- scripts/wine-run build/win64/app/quarrow-batch.exe
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Timing {
  double seconds = 0;
  long peak_kb = 0;
  int status = -1;
};

// Runs a command to its end, its standard output to the null device if asked; its wall time and the peak resident
// memory the system counted for it.
Timing Run(std::vector<std::string> command, bool output_to_null = false) {
  std::vector<char*> argv;
  for (std::string& word : command) argv.push_back(word.data());
  argv.push_back(nullptr);
  Timing t;
  const auto start = Clock::now();
  pid_t pid;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (output_to_null) posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return t;
  int status = 0;
  struct rusage usage = {};
  wait4(pid, &status, 0, &usage);
  t.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  t.peak_kb = usage.ru_maxrss;
  t.status = status;
  return t;
}

// The baseline: the same bytes, already in memory, written to a file and flushed, as the program does.
double WriteFromMemory(const std::string& bytes, const std::string& path) {
  const auto start = Clock::now();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::size_t done = 0;
  while (fd >= 0 && done < bytes.size()) {
    const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, std::size_t{1} << 20);
    const ssize_t written = ::write(fd, bytes.data() + done, chunk);
    if (written <= 0) break;
    done += static_cast<std::size_t>(written);
  }
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: batch_bench PROGRAM [ROWS] [-- OTHER COMMAND...]\n");
    return 2;
  }
  const std::string program = argv[1];
  const std::string rows = argc > 2 && std::string(argv[2]) != "--" ? argv[2] : "10000000";
  std::vector<std::string> other;
  for (int i = 2; i < argc; ++i) {
    if (std::string(argv[i]) == "--") other.assign(argv + i + 1, argv + argc);
  }
  const std::string out = "batch_bench.out", baseline = "batch_bench.baseline";

  // Without and with --regions by turns, the fastest of three each: a machine's other work slows single runs.
  // Once to a file, once to the null device: the regions make the rows half as long again, and a file's every
  // byte is copied into the system's cache and onto the disk, which the null device shows without.
  Timing batch, regions, batch_null, regions_null;
  const auto fastest = [](Timing& best, const Timing& t, int round) {
    if (round == 0 || t.seconds < best.seconds) best = t;
    return t.status == 0;
  };
  const std::vector<std::string> run = {program, "--count", rows, "--seed", "1"};
  const auto with = [&](std::vector<std::string> more) {
    std::vector<std::string> command = run;
    command.insert(command.end(), more.begin(), more.end());
    return command;
  };
  for (int round = 0; round < 3; ++round) {
    if (!fastest(batch, Run(with({"--out", out})), round) ||
        !fastest(regions, Run(with({"--regions", "--out", out + ".regions"})), round) ||
        !fastest(batch_null, Run(run, true), round) || !fastest(regions_null, Run(with({"--regions"}), true), round)) {
      std::fprintf(stderr, "batch_bench: %s failed\n", program.c_str());
      return 1;
    }
  }
  const std::size_t region_bytes = ReadFile(out + ".regions").size();
  std::remove((out + ".regions").c_str());
  // The other build runs before this program holds the output in memory: a spawned child starts out sharing
  // this program's memory, and the system would count it as the child's peak.
  Timing second;
  if (!other.empty()) {
    other.insert(other.end(), {"--count", rows, "--seed", "1", "--out", out + ".other"});
    second = Run(other);
  }
  const std::string bytes = ReadFile(out);
  const double memory = WriteFromMemory(bytes, baseline);
  const double count = std::strtod(rows.c_str(), nullptr);
  std::printf("rows: %s, bytes: %zu\n", rows.c_str(), bytes.size());
  std::printf("quarrow-batch:          %.3f s, %.0f rows/s, peak memory %.1f MB\n", batch.seconds,
              count / batch.seconds, batch.peak_kb / 1024.0);
  std::printf("same bytes from memory: %.3f s\n", memory);
  std::printf("ratio: %.2f (quarrow-batch / from memory)\n", batch.seconds / memory);
  std::printf("with --regions:         %.3f s, %.0f rows/s, peak memory %.1f MB, %zu bytes\n", regions.seconds,
              count / regions.seconds, regions.peak_kb / 1024.0, region_bytes);
  std::printf("ratio: %.2f (rate with --regions / rate without, to a file)\n", batch.seconds / regions.seconds);
  std::printf("to the null device:     %.3f s without, %.3f s with --regions\n", batch_null.seconds,
              regions_null.seconds);
  std::printf("ratio: %.2f (rate with --regions / rate without, to the null device)\n",
              batch_null.seconds / regions_null.seconds);
  if (!other.empty()) {
    const bool same = second.status == 0 && ReadFile(out + ".other") == bytes;
    std::printf("other build:            %.3f s, %.0f rows/s, peak memory %.1f MB, %s bytes\n", second.seconds,
                count / second.seconds, second.peak_kb / 1024.0, same ? "the same" : "DIFFERENT");
    std::printf("ratio: %.2f (other build / quarrow-batch)\n", second.seconds / batch.seconds);
    std::remove((out + ".other").c_str());
  }
  std::remove(out.c_str());
  std::remove(baseline.c_str());
  return 0;
}
