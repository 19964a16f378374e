// Which region each address of a --regions run gets. Not a draw of the address's own generator: a function of
// the seed and the address's place in the run (a SplitMix64 step), so that --regions changes nothing else of a
// seeded run, and rows made side by side in blocks get the regions that rows made one by one get.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "commands/random_numbers.h"
#include "places/real_address.h"
#include "places/region_filter.h"
#include "places/region_table.h"

namespace quarrow::places {

class RegionDraw {
 public:
  RegionDraw(std::uint32_t seed, std::vector<SelectedRegion> selection)
      : seed_(seed), selection_(std::move(selection)) {
    regions_.reserve(selection_.size());
    for (const SelectedRegion& s : selection_) {
      regions_.push_back(s.region);
      town_count_ += s.towns.empty() ? s.region->towns.size() : s.towns.size();
      most_local_stems_ = std::max(most_local_stems_, s.region->local_stems.size());
    }
  }

  // The place in Regions() of the region for the address made after `index` others: the rows before it, and
  // under --unique the addresses it skipped too.
  std::uint32_t For(std::uint64_t index) const {
    const std::uint64_t z = MixBits(seed_ + (index + 1) * kGoldenStep);
    // The top 32 bits scaled to the count: uniform to within count / 2^32.
    return static_cast<std::uint32_t>(((z >> 32) * regions_.size()) >> 32);
  }
  std::span<const Region* const> Regions() const { return regions_; }
  // The same regions, each with the towns the filter kept of it.
  std::span<const SelectedRegion> Selection() const { return selection_; }
  std::size_t Count() const { return regions_.size(); }

  // A town of the region at `region` of Regions(), each of those the filter kept as likely, drawn from the
  // address's own generator.
  const Town& DrawTown(std::uint32_t region, AddressRandom& random) const {
    const SelectedRegion& s = selection_[region];
    if (!s.towns.empty()) return *s.towns[random.Below(static_cast<std::uint32_t>(s.towns.size()))];
    return s.region->towns[random.Below(static_cast<std::uint32_t>(s.region->towns.size()))];
  }
  // The towns of all the regions, as many as the filter kept.
  std::uint64_t TownCount() const { return town_count_; }
  // The most local stems a region has.
  std::size_t MostLocalStems() const { return most_local_stems_; }

 private:
  std::uint64_t seed_;
  std::vector<SelectedRegion> selection_;
  std::vector<const Region*> regions_;
  std::uint64_t town_count_ = 0;
  std::size_t most_local_stems_ = 0;
};

}  // namespace quarrow::places
