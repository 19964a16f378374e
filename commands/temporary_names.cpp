#include "commands/temporary_names.h"

#include <cstdio>

namespace quarrow {

namespace {

constexpr std::string_view kPrefix = "~qrw";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kDigits = 8;

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

bool IsHexDigit(char c) {
  const char upper = AsciiUpper(c);
  return (c >= '0' && c <= '9') || (upper >= 'A' && upper <= 'F');
}

std::string Hex(std::uint32_t value) {
  char digits[kDigits + 1];
  std::snprintf(digits, sizeof digits, "%08lX", static_cast<unsigned long>(value));
  return std::string(digits, kDigits);
}

}  // namespace

std::string TemporaryStem(std::string_view target_name) {
  // FNV-1a. Trail bytes of two-byte GBK characters are folded like letters too: the same name always gives the
  // same digits, and two names that merely share digits only share the clean-up of stale files.
  std::uint32_t hash = 2166136261u;
  for (const char c : target_name) {
    hash ^= static_cast<unsigned char>(AsciiUpper(c));
    hash *= 16777619u;
  }
  return std::string(kPrefix) + Hex(hash);
}

std::string TemporaryName(std::string_view stem, std::uint32_t attempt) {
  return std::string(stem) + Hex(attempt) + std::string(kSuffix);
}

std::uint32_t NextTemporaryAttempt(std::uint32_t previous) { return previous * 1664525u + 1013904223u; }

bool IsTemporaryOf(std::string_view stem, std::string_view name) {
  if (name.size() != kTemporaryNameLength || stem.size() != kPrefix.size() + kDigits) return false;
  if (!SameIgnoringAsciiCase(name.substr(0, stem.size()), stem)) return false;
  const std::string_view attempt = name.substr(stem.size(), kDigits);
  for (const char c : attempt) {
    if (!IsHexDigit(c)) return false;
  }
  return SameIgnoringAsciiCase(name.substr(stem.size() + kDigits), kSuffix);
}

}  // namespace quarrow
