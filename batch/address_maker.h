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
  // `generator_state` is where this maker's first address starts: the seed, or a later row's state. With
  // `regions`, `first_index` is that address's place in the run, from 0.
  AddressMaker(std::uint32_t generator_state, const std::optional<ManualSettings>& manual,
               const RegionDraw* regions = nullptr, std::uint64_t first_index = 0);

  Address Next();
  std::uint32_t GeneratorState() const { return generator_.State(); }
  // How many different addresses these settings can give at most, regions counted, capped at the largest 64-bit
  // number.
  std::uint64_t DistinctCount() const;

 private:
  std::uint64_t DistinctAddresses() const;

  RandomGenerator generator_;
  const std::optional<ManualSettings>& manual_;
  std::optional<app::rules::ManualSource<const NameList*, Bound>> source_;
  BatchOperations ops_;
  const RegionDraw* regions_;
  std::uint64_t index_;
};

}  // namespace quarrow::batch
