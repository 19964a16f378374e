#include "places/region_draw.h"

#include <algorithm>

#include "places/local_stems.h"

namespace quarrow::places {

RegionDraw::RegionDraw(std::uint32_t seed, std::vector<SelectedRegion> selection, bool local_stems) : seed_(seed) {
  regions_.reserve(selection.size());
  picks_.reserve(selection.size());
  std::vector<std::size_t> stem_ends;
  for (const SelectedRegion& s : selection) {
    regions_.push_back(s.region);
    const auto start = static_cast<std::uint32_t>(towns_.size());
    if (s.towns.empty()) {
      for (const Town& town : s.region->towns) towns_.push_back(&town);
    } else {
      towns_.insert(towns_.end(), s.towns.begin(), s.towns.end());
    }
    picks_.push_back({start, static_cast<std::uint32_t>(towns_.size()) - start, {}});
    if (local_stems) {
      const std::vector<std::string_view> own = LocalStemsOf(*s.region);
      for (const std::string_view stem : own) stems_.push_back(ShortTextOf(stem));
      most_local_stems_ = std::max(most_local_stems_, own.size());
    }
    stem_ends.push_back(stems_.size());
  }
  // The spans once stems_ is whole and stays where it is.
  for (std::size_t i = 0, first = 0; i < picks_.size(); first = stem_ends[i++]) {
    picks_[i].local_stems = std::span<const ShortText>(stems_).subspan(first, stem_ends[i] - first);
  }
}

}  // namespace quarrow::places
