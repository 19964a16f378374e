// The --regions filter from arbitrary text (up to its first zero byte, as a command line gives it): a refusal is a
// FilterError with a message; a selection is never empty and holds regions of the table, in code order, each once;
// and a filter of code prefixes keeps exactly the regions under them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "places/region_filter.h"
#include "places/region_table.h"
#include "tests/fuzz/fuzz_text.h"
#include "tests/fuzz/gbk_texts.h"

namespace {

using namespace quarrow::places;

// Built once: the table is the same for every input.
const RegionTable* table = nullptr;

bool IsCodeFilter(std::string_view filter) {
  return filter.find_first_not_of("0123456789, ") == std::string_view::npos;
}

// What a filter of digits, commas and spaces keeps, worked out on its own: the regions whose code begins with one
// of its parts (without the spaces), all of them when it has no part; a refusal (nothing) when a part is longer
// than a code or keeps no region.
std::optional<std::vector<const Region*>> KeptByCodes(std::string_view filter) {
  std::vector<std::string> parts(1);
  for (const char c : filter) {
    if (c == ',') parts.emplace_back();
    if (c >= '0' && c <= '9') parts.back() += c;
  }
  std::erase(parts, "");
  for (const std::string& part : parts) {
    if (part.size() > 6) return std::nullopt;
    bool found = false;
    for (const Region& r : table->Regions()) found |= r.code_text.starts_with(part);
    if (!found) return std::nullopt;
  }
  std::vector<const Region*> kept;
  for (const Region& r : table->Regions()) {
    const bool under = std::any_of(parts.begin(), parts.end(), [&](const std::string& p) {
      return r.code_text.starts_with(p);
    });
    if (parts.empty() || under) kept.push_back(&r);
  }
  return kept;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  quarrow::fuzzing::CheckGbkCopies();
  table = new RegionTable;
  for (const Region& r : table->Regions()) quarrow::fuzzing::RequireGbk(r.gbk.joined, r.code_text);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const quarrow::fuzzing::FuzzText text(data, size);
  const std::string_view filter(text.Get(), text.length);
  std::optional<std::vector<const Region*>> selected;
  try {
    selected = SelectRegions(*table, filter);
  } catch (const FilterError& e) {
    if (*e.what() == '\0') std::abort();
  }
  if (IsCodeFilter(filter) && selected != KeptByCodes(filter)) std::abort();
  if (!selected) return 0;
  const std::vector<const Region*>& regions = *selected;
  if (regions.empty()) std::abort();
  const auto all = table->Regions();
  const std::less<const Region*> before;
  for (std::size_t i = 0; i < regions.size(); ++i) {
    if (before(regions[i], all.data()) || !before(regions[i], all.data() + all.size())) std::abort();
    if (i > 0 && regions[i - 1]->code >= regions[i]->code) std::abort();
  }
  return 0;
}
