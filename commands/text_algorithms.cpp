#include "commands/text_algorithms.h"

#include <cstring>

namespace quarrow {

std::int32_t TextLength(const char* text) {
  if (text == nullptr) return 0;
  const std::size_t length = std::strlen(text);
  return length > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<std::int32_t>(length);
}

std::string TrimAllSpaces(const char* text) {
  std::string kept;
  if (text == nullptr) return kept;
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  while (*p != 0) {
    if (*p < 0x80) {
      if (*p != ' ') kept.push_back(static_cast<char>(*p));
      ++p;
      continue;
    }
    if (p[1] == 0) break;  // a lead byte directly before the end
    if (!(p[0] == 0xA1 && p[1] == 0xA1)) {
      kept.push_back(static_cast<char>(p[0]));
      kept.push_back(static_cast<char>(p[1]));
    }
    p += 2;
  }
  return kept;
}

std::optional<std::size_t> RepeatedLength(std::int32_t count, std::size_t piece_length) {
  if (count <= 0 || piece_length == 0) return std::size_t{0};
  constexpr std::uint64_t kLongestText = 0x7FFFFFFF;
  if (piece_length > kLongestText) return std::nullopt;
  const std::uint64_t length = static_cast<std::uint64_t>(count) * piece_length;
  if (length > kLongestText) return std::nullopt;
  return static_cast<std::size_t>(length);
}

void WriteRepeated(char* out, std::int32_t count, std::string_view piece) {
  if (count > 0 && piece.size() == 1) {
    std::memset(out, piece[0], static_cast<std::size_t>(count));
    out += count;
  } else if (!piece.empty()) {
    for (std::int32_t i = 0; i < count; ++i, out += piece.size()) std::memcpy(out, piece.data(), piece.size());
  }
  *out = '\0';
}

std::string CharFromCode(std::int32_t code) {
  const char byte = static_cast<char>(code & 0xFF);
  return byte == 0 ? std::string() : std::string(1, byte);
}

}  // namespace quarrow
