#include "app/seed_switch.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace quarrow::app {

namespace {

constexpr std::string_view kBlanks = " \t";

// The next word, with its quotes removed; quoted parts may hold blanks.
std::string NextWord(std::string_view& rest) {
  rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(kBlanks)));
  std::string word;
  bool quoted = false;
  while (!rest.empty() && (quoted || kBlanks.find(rest.front()) == std::string_view::npos)) {
    if (rest.front() == '"') {
      quoted = !quoted;
    } else {
      word.push_back(rest.front());
    }
    rest.remove_prefix(1);
  }
  return word;
}

std::optional<std::uint32_t> Seed(std::string_view text) {
  std::uint32_t seed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return seed;
}

}  // namespace

SeedSwitch ReadSeedSwitch(std::string_view command_line) {
  std::string_view rest = command_line;
  NextWord(rest);  // the program's name
  SeedSwitch seed_switch;
  while (!rest.empty()) {
    const std::string word = NextWord(rest);
    std::optional<std::string> value;
    if (word == "--seed") value = NextWord(rest);
    if (word.starts_with("--seed=")) value = word.substr(7);
    if (!value) continue;
    // A second seed is refused as well: which of the two the user meant is not for the program to guess.
    seed_switch.seed = seed_switch.given ? std::nullopt : Seed(*value);
    seed_switch.given = true;
  }
  return seed_switch;
}

}  // namespace quarrow::app
