// Addresses for the batch program, made by the window's rules with the batch program's operations.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/address_rules.h"
#include "batch/batch_operations.h"
#include "places/region_draw.h"

namespace quarrow::batch {

using places::Region;
using places::RegionDraw;
using places::RegionNames;
using places::RegionTable;

// What manual mode draws from; without it, auto mode.
struct ManualSettings {
  NameList roads, communities;
  std::string house_min, house_max, building_min, building_max, unit_min, unit_max, room_min, room_max;
};

// One address: its components (all empty for the empty address), the address text, and under --regions its
// region. Views valid until the next Next().
struct Address {
  app::rules::AddressParts<std::string_view> parts;
  std::string_view text;
  const Region* region = nullptr;
  std::uint32_t region_index = 0;  // its place among the regions drawn from
};

class AddressMaker {
 public:
  // Starts at the run's first address. With `regions`, each address also gets its region.
  AddressMaker(std::uint32_t seed, const std::optional<ManualSettings>& manual, const RegionDraw* regions = nullptr);

  // The next address made is the one after `index` others of the run, in logarithmic time: every address takes
  // the same number of draws, so the generator can be moved on to where any of them starts.
  void MoveTo(std::uint64_t index);
  Address Next();
  std::uint32_t GeneratorState() const { return generator_.State(); }
  // How many different addresses these settings can give at most, regions counted, capped at the largest 64-bit
  // number.
  std::uint64_t DistinctCount() const;

 private:
  std::uint32_t DrawsPerAddress();
  std::uint64_t DistinctAddresses() const;

  std::uint32_t seed_;
  RandomGenerator generator_;
  const std::optional<ManualSettings>& manual_;
  std::optional<app::rules::ManualSource<const NameList*, Bound>> source_;
  BatchOperations ops_;
  const RegionDraw* regions_;
  std::uint64_t index_ = 0;
  std::uint32_t draws_per_address_ = 0;
};

}  // namespace quarrow::batch
