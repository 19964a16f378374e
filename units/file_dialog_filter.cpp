#include "units/file_dialog_filter.h"

#include <vector>

namespace quarrow::common_dlg {

namespace {

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool IsLeadByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 0x81 && b <= 0xFE;
}

// The offsets of the "|" characters of a GBK text (trail bytes skipped).
std::vector<std::size_t> Separators(std::string_view text) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLeadByte(text[i]) && i + 1 < text.size()) {
      ++i;
    } else if (text[i] == '|') {
      at.push_back(i);
    }
  }
  return at;
}

}  // namespace

std::string SystemFilter(std::string_view filter) {
  // A trail byte of a GBK character is never below 0x40, so trimming these bytes never splits a character.
  while (!filter.empty() && IsWhiteSpace(filter.back())) filter.remove_suffix(1);
  if (filter.empty()) return {};
  std::string result(filter);
  std::vector<std::size_t> separators = Separators(result);
  const std::size_t n = separators.size();
  const bool ends_with_pair = n >= 2 && separators[n - 1] == result.size() - 1 && separators[n - 2] == result.size() - 2;
  if (!ends_with_pair) {
    separators.push_back(result.size());
    separators.push_back(result.size() + 1);
    result += "||";
  }
  for (std::size_t at : separators) result[at] = '\0';
  return result;
}

std::uint32_t InitialFilterNumber(std::string_view system_filter, std::int32_t filter_index) {
  if (system_filter.empty()) return 0;
  return filter_index < 0 ? 1u : static_cast<std::uint32_t>(filter_index) + 1u;
}

}  // namespace quarrow::common_dlg
