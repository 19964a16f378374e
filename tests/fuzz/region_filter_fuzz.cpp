// The --regions filter from arbitrary text (up to its first zero byte, as a command line gives it): a refusal is a
// FilterError with a message; a selection is never empty and holds regions of the table, in code order, each once.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
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

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  quarrow::fuzzing::CheckGbkCopies();
  table = new RegionTable;
  for (const Region& r : table->Regions()) quarrow::fuzzing::RequireGbk(r.gbk.joined, r.code_text);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const quarrow::fuzzing::FuzzText text(data, size);
  std::vector<const Region*> regions;
  try {
    regions = SelectRegions(*table, std::string_view(text.Get(), text.length));
  } catch (const FilterError& e) {
    if (*e.what() == '\0') std::abort();
    return 0;
  }
  if (regions.empty()) std::abort();
  const auto all = table->Regions();
  const std::less<const Region*> before;
  for (std::size_t i = 0; i < regions.size(); ++i) {
    if (before(regions[i], all.data()) || !before(regions[i], all.data() + all.size())) std::abort();
    if (i > 0 && regions[i - 1]->code >= regions[i]->code) std::abort();
  }
  return 0;
}
