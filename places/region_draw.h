// Which region each address of a --regions run gets, and in real style which of its towns. The region is not a draw
// of the address's own generator but a function of the seed and the address's place in the run (a SplitMix64
// step), so that --regions changes nothing else of a seeded window-style run, and rows made side by side in blocks
// get the regions that rows made one by one get.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "commands/random_numbers.h"
#include "places/real_address.h"
#include "places/region_filter.h"

namespace quarrow::places {

class RegionDraw {
 public:
  // `local_stems`: whether addresses name roads after their regions' places (real style), whose stems are then
  // found, once per run, for the regions selected.
  RegionDraw(std::uint32_t seed, std::vector<SelectedRegion> selection, bool local_stems);

  // The place in Regions() of the region for the address made after `index` others: the rows before it, and
  // under --unique the addresses it skipped too.
  std::uint32_t For(std::uint64_t index) const {
    const std::uint64_t z = MixBits(seed_ + (index + 1) * kGoldenStep);
    // The top 32 bits scaled to the count: uniform to within count / 2^32.
    return static_cast<std::uint32_t>(((z >> 32) * regions_.size()) >> 32);
  }
  std::span<const Region* const> Regions() const { return regions_; }
  std::size_t Count() const { return regions_.size(); }

  // A town of the region at `region` of Regions(), each of those the filter kept as likely, drawn from the
  // address's own generator: its place among Towns(). A few reads of a small array: a row's draw touches neither
  // the region's nor the town's record.
  std::uint32_t DrawTown(std::uint32_t region, AddressRandom& random) const {
    const Pick& pick = picks_[region];
    return pick.first_town + random.Below(pick.towns);
  }
  // Every town a row may have, the kept towns of each region one region after the other.
  std::span<const Town* const> Towns() const { return towns_; }
  std::span<const ShortText> LocalStems(std::uint32_t region) const { return picks_[region].local_stems; }
  // The most local stems a region has.
  std::size_t MostLocalStems() const { return most_local_stems_; }

 private:
  struct Pick {
    std::uint32_t first_town, towns;  // in towns_
    std::span<const ShortText> local_stems;  // in stems_
  };

  std::uint64_t seed_;
  std::vector<const Region*> regions_;
  std::vector<Pick> picks_;
  std::vector<const Town*> towns_;
  std::vector<ShortText> stems_;  // held whole: a row reads one at random
  std::size_t most_local_stems_ = 0;
};

}  // namespace quarrow::places
