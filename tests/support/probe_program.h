// The inside of a probe program: the words it was started with after its own path (a scenario, a log path and
// sometimes a number, separated by spaces and never quoted themselves; the path comes first and may be quoted),
// and its log, a line a call, from any thread.
#pragma once

#include <windows.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace quarrow::testing {

inline std::vector<std::string> ProgramArguments() {
  const std::string line = ::GetCommandLineA();
  // The path ends at its closing quote, or at the first space.
  std::size_t at = !line.empty() && line[0] == '"' ? line.find('"', 1) : line.find(' ');
  if (at != std::string::npos && line[at] == '"') ++at;
  std::vector<std::string> words;
  while (at < line.size()) {
    while (at < line.size() && line[at] == ' ') ++at;
    if (at == line.size()) break;
    const std::size_t end = line.find(' ', at);
    words.push_back(line.substr(at, end == std::string::npos ? std::string::npos : end - at));
    at = end;
  }
  return words;
}

// The index-th word after the path, or the empty text when there are fewer.
inline std::string ProgramArgument(std::size_t index) {
  const std::vector<std::string> words = ProgramArguments();
  return index < words.size() ? words[index] : std::string();
}

inline const std::string& ProbeScenario() {
  static const std::string scenario = ProgramArgument(0);
  return scenario;
}

// Appends a line to the log file named by the second word.
inline void ProbeLog(const std::string& line) {
  static std::mutex mutex;
  static const std::string path = ProgramArgument(1);
  std::lock_guard lock(mutex);
  if (FILE* f = std::fopen(path.c_str(), "ab")) {
    std::fputs((line + "\n").c_str(), f);
    std::fclose(f);
  }
}

}  // namespace quarrow::testing
