// A file dialog's filter from arbitrary text: the result is empty only for a blank text, otherwise closed by two
// zero bytes; every other byte is the text's own, no "|" character is left, and turning the separators back into
// bars gives a text that yields the same filter again (unless a lone lead byte would take the first bar).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/fuzz/fuzz_text.h"
#include "units/file_dialog_filter.h"

namespace {

bool IsLead(char c) { return static_cast<unsigned char>(c) >= 0x81 && static_cast<unsigned char>(c) <= 0xFE; }

// A lead byte at the end with no trail byte: the bars added after it would read as its trail byte.
bool EndsWithLoneLead(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) i += IsLead(text[i]) ? 2 : 1;
  return i > text.size();
}

bool HoldsABarCharacter(const std::string& filter) {
  for (std::size_t i = 0; i < filter.size(); ++i) {
    const auto b = static_cast<unsigned char>(filter[i]);
    if (b >= 0x81 && b <= 0xFE && i + 1 < filter.size()) {
      ++i;
    } else if (b == '|') {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const quarrow::fuzzing::FuzzText text(data, size);
  const std::string_view input(text.Get(), text.length);
  const std::string filter = quarrow::common_dlg::SystemFilter(input);
  const std::size_t last = input.find_last_not_of(" \t\r\n\v\f");
  const std::size_t trimmed = last == std::string_view::npos ? 0 : last + 1;
  if (trimmed == 0) {
    if (!filter.empty()) std::abort();
    return 0;
  }
  if (filter.size() != trimmed && filter.size() != trimmed + 2) std::abort();
  if (filter[filter.size() - 1] != '\0' || filter[filter.size() - 2] != '\0') std::abort();
  if (HoldsABarCharacter(filter)) std::abort();
  std::string bars = filter;
  for (std::size_t i = 0; i < trimmed; ++i) {
    if (bars[i] == '\0') {
      if (input[i] != '|') std::abort();
      bars[i] = '|';
    } else if (bars[i] != input[i]) {
      std::abort();
    }
  }
  for (std::size_t i = trimmed; i < bars.size(); ++i) bars[i] = '|';
  if (!EndsWithLoneLead(input.substr(0, trimmed)) && quarrow::common_dlg::SystemFilter(bars) != filter) std::abort();
  return 0;
}
