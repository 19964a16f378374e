// quarrow-batch against baselines measured in the same run:
//  - text rows (GBK) to a file, against writing the same bytes from memory to a file;
//  - to the null device (the program's own work), best of five each: --regions, real style with regions and
//    towns, csv, sql and one part of eight against plain window-style text or the whole run;
//  - the peak memory of every format with and without regions, real style, and rows of 250 KB (a long prefix);
//  - optionally a second build (the Windows one under Wine) against the first.
//   batch_bench PROGRAM [ROWS] [-- OTHER COMMAND...]
// e.g. from a scratch folder, with a wineserver already running (wineserver -p), as the tests keep one:
//   batch_bench build/native/quarrow-batch 10000000 -- scripts/wine-run build/win64/app/quarrow-batch.exe
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
using Words = std::vector<std::string>;

struct Timing {
  double seconds = 0;
  long peak_kb = 0;
  int status = -1;
};

// Runs a command to its end, its standard output to the null device if asked; its wall time and the peak resident
// memory the system counted for it.
Timing Run(Words command, bool output_to_null = false) {
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

// The fastest of `rounds` runs of each command to the null device, the commands taking turns: a machine's other
// work slows single runs, and whatever slows one round slows each command of it alike.
std::vector<Timing> Fastest(const std::vector<Words>& commands, int rounds) {
  std::vector<Timing> best(commands.size());
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t i = 0; i < commands.size(); ++i) {
      const Timing t = Run(commands[i], true);
      if (t.status != 0) {
        best[i] = t;
        continue;
      }
      if (round == 0 || t.seconds < best[i].seconds) best[i] = t;
    }
  }
  return best;
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

Words Joined(Words a, const Words& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

bool failed = false;

Timing Check(const Timing& t, const Words& command) {
  if (t.status != 0) {
    std::string line;
    for (const std::string& word : command) line += word + " ";
    std::fprintf(stderr, "batch_bench: failed: %s\n", line.c_str());
    failed = true;
  }
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: batch_bench PROGRAM [ROWS] [-- OTHER COMMAND...]\n");
    return 2;
  }
  const std::string program = argv[1];
  const std::string rows = argc > 2 && std::string(argv[2]) != "--" ? argv[2] : "10000000";
  Words other;
  for (int i = 2; i < argc; ++i) {
    if (std::string(argv[i]) == "--") other.assign(argv + i + 1, argv + argc);
  }
  const double count = std::strtod(rows.c_str(), nullptr);
  const std::string out = "batch_bench.out", baseline = "batch_bench.baseline";
  const Words run = {program, "--count", rows, "--seed", "1"};
  // To the null device: the program's own work.
  const std::vector<Words> cases = {{},
                                    {"--regions"},
                                    {"--style", "real", "--regions"},
                                    {"--format", "csv"},
                                    {"--format", "sql"},
                                    {"--shard", "1/8"}};
  std::vector<Words> commands;
  for (const Words& more : cases) commands.push_back(Joined(run, more));
  const std::vector<Timing> best = Fastest(commands, 5);
  for (std::size_t i = 0; i < cases.size(); ++i) Check(best[i], commands[i]);
  const Timing &window = best[0], &regions = best[1], &real = best[2], &csv = best[3], &sql = best[4], &part = best[5];
  std::printf("rows: %s, to the null device, the fastest of five runs each\n", rows.c_str());
  const auto rate = [&](const char* what, const Timing& t) {
    std::printf("  %-34s %.3f s, %.2f million rows/s, peak memory %.1f MB\n", what, t.seconds,
                count / t.seconds / 1e6, t.peak_kb / 1024.0);
  };
  rate("window style, text", window);
  rate("--regions", regions);
  rate("--style real --regions (with towns)", real);
  rate("--format csv", csv);
  rate("--format sql", sql);
  rate("--shard 1/8", part);
  std::printf("ratio: %.2f (rate with --regions / rate without)\n", window.seconds / regions.seconds);
  std::printf("ratio: %.2f (rate of real style with regions and towns / window style)\n", window.seconds / real.seconds);
  std::printf("ratio: %.2f (rate of real style with regions and towns / window style with regions)\n",
              regions.seconds / real.seconds);
  std::printf("ratio: %.2f (rate of sql / csv)\n", csv.seconds / sql.seconds);
  std::printf("one part of 8: %.3f s, the whole run / 8 + 50 ms: %.3f s, ratio %.2f\n", part.seconds,
              window.seconds / 8 + 0.05, part.seconds / (window.seconds / 8 + 0.05));

  // Peak memory, whatever the format and the row's length. The long prefix makes rows of about 250 KB, so it
  // takes fewer of them.
  std::printf("peak memory, to the null device:\n");
  const std::string long_prefix(122880, 'x');
  long most_kb = 0;
  for (const char* format : {"text", "csv", "jsonl", "sql"}) {
    std::string line = std::string("  ") + format + ":";
    for (const Words& more : {Words{}, Words{"--regions"}, Words{"--style", "real", "--regions"},
                              Words{"--prefix", long_prefix}}) {
      const bool long_rows = more.size() == 2 && more[0] == "--prefix";
      const Words command = Joined({program, "--count", long_rows ? "20000" : rows, "--seed", "1", "--format", format},
                                   more);
      const Timing t = Check(Run(command, true), command);
      most_kb = std::max(most_kb, t.peak_kb);
      char figure[64];
      std::snprintf(figure, sizeof figure, " %.1f MB", t.peak_kb / 1024.0);
      line += figure;
    }
    std::printf("%s (plain, --regions, real style with regions, a 120 KB prefix)\n", line.c_str());
  }
  std::printf("largest peak: %.1f MB\n", most_kb / 1024.0);

  // To a file, against the same bytes written from memory.
  const Timing to_file = Check(Run(Joined(run, {"--out", out})), Joined(run, {"--out", out}));
  // The other build runs before this program holds the output in memory: a spawned child starts out sharing
  // this program's memory, and the system would count it as the child's peak.
  Timing second;
  if (!other.empty()) second = Run(Joined(other, {"--count", rows, "--seed", "1", "--out", out + ".other"}));
  const std::string bytes = ReadFile(out);
  const double memory = WriteFromMemory(bytes, baseline);
  std::printf("to a file: %zu bytes\n", bytes.size());
  std::printf("  quarrow-batch:          %.3f s, %.2f million rows/s, peak memory %.1f MB\n", to_file.seconds,
              count / to_file.seconds / 1e6, to_file.peak_kb / 1024.0);
  std::printf("  same bytes from memory: %.3f s\n", memory);
  std::printf("ratio: %.2f (quarrow-batch / from memory)\n", to_file.seconds / memory);
  if (!other.empty()) {
    const bool same = second.status == 0 && ReadFile(out + ".other") == bytes;
    std::printf("other build:            %.3f s, %.2f million rows/s, peak memory %.1f MB, %s bytes\n",
                second.seconds, count / second.seconds / 1e6, second.peak_kb / 1024.0, same ? "the same" : "DIFFERENT");
    std::printf("ratio: %.2f (other build / quarrow-batch)\n", second.seconds / to_file.seconds);
    std::remove((out + ".other").c_str());
  }
  std::remove(out.c_str());
  std::remove(baseline.c_str());
  return failed ? 1 : 0;
}
