// The --regions filter from arbitrary text (up to its first zero byte, as a command line gives it): a refusal is a
// FilterError with a message; a selection is never empty and holds regions of the table, in code order, each once,
// with towns of their own; and a filter of codes keeps exactly the regions under them and the towns they name.
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

// A selection as the region codes it keeps, each with the town codes it keeps (none for all of them).
using Kept = std::vector<std::pair<std::uint32_t, std::vector<std::uint32_t>>>;

Kept CodesOf(const std::vector<SelectedRegion>& selected) {
  Kept kept;
  for (const SelectedRegion& s : selected) {
    kept.emplace_back(s.region->code, std::vector<std::uint32_t>());
    for (const Town* town : s.towns) kept.back().second.push_back(town->code);
  }
  return kept;
}

// What a filter of digits, commas and spaces keeps, worked out on its own: the regions whose code begins with one
// of its parts of up to six digits (without the spaces), all of them when it has no part; of a region that only
// parts of nine digits name, the towns they name. A refusal (nothing) when a part is of another length or keeps
// nothing.
std::optional<Kept> KeptByCodes(std::string_view filter) {
  std::vector<std::string> parts(1);
  for (const char c : filter) {
    if (c == ',') parts.emplace_back();
    if (c >= '0' && c <= '9') parts.back() += c;
  }
  std::erase(parts, "");
  for (const std::string& part : parts) {
    if (part.size() > 6 && part.size() != 9) return std::nullopt;
    bool found = false;
    for (const Region& r : table->Regions()) {
      if (part.size() <= 6) found |= r.code_text.starts_with(part);
      for (const Town& t : r.towns) found |= part.size() == 9 && t.code_text == part;
    }
    if (!found) return std::nullopt;
  }
  Kept kept;
  for (const Region& r : table->Regions()) {
    const bool whole = parts.empty() || std::any_of(parts.begin(), parts.end(), [&](const std::string& p) {
      return p.size() <= 6 && r.code_text.starts_with(p);
    });
    std::vector<std::uint32_t> towns;
    for (const Town& t : r.towns) {
      if (std::find(parts.begin(), parts.end(), t.code_text) != parts.end()) towns.push_back(t.code);
    }
    if (whole) kept.emplace_back(r.code, std::vector<std::uint32_t>());
    else if (!towns.empty()) kept.emplace_back(r.code, towns);
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
  std::optional<std::vector<SelectedRegion>> selected;
  try {
    selected = SelectRegions(*table, filter);
  } catch (const FilterError& e) {
    if (*e.what() == '\0') std::abort();
  }
  if (IsCodeFilter(filter) && (selected ? std::optional<Kept>(CodesOf(*selected)) : std::nullopt) != KeptByCodes(filter)) {
    std::abort();
  }
  if (!selected) return 0;
  if (selected->empty()) std::abort();
  const auto all = table->Regions();
  const std::less<const void*> before;
  for (std::size_t i = 0; i < selected->size(); ++i) {
    const SelectedRegion& s = (*selected)[i];
    if (before(s.region, all.data()) || !before(s.region, all.data() + all.size())) std::abort();
    if (i > 0 && (*selected)[i - 1].region->code >= s.region->code) std::abort();
    // A region's kept towns are its own, in code order, each once.
    for (std::size_t t = 0; t < s.towns.size(); ++t) {
      if (s.towns[t]->code / 1000 != s.region->code) std::abort();
      if (t > 0 && s.towns[t - 1]->code >= s.towns[t]->code) std::abort();
    }
  }
  return 0;
}
