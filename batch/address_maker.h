// Addresses for the batch program: in window style made by the window's rules with the batch program's
// operations, in real style by the rules of addresses that read like real ones.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/address_rules.h"
#include "batch/batch_operations.h"
#include "places/real_address.h"
#include "places/region_draw.h"

namespace quarrow::batch {

using places::Region;
using places::RegionDraw;
using places::RegionNames;
using places::RegionTable;
using places::Town;

// What the window's manual mode draws from; without it, auto mode.
struct ManualSettings {
  NameList roads, communities;
  std::string house_min, house_max, building_min, building_max, unit_min, unit_max, room_min, room_max;
};

struct AddressSettings {
  std::optional<ManualSettings> manual;      // window style: its manual mode
  std::optional<places::RealSettings> real;  // real style
  const RegionDraw* regions = nullptr;       // each address in a region of these
  bool towns = false;                        // and, in real style, in one of its towns
};

inline constexpr std::uint32_t kNoTown = 0xFFFFFFFF;

// One address: its components (all empty for the empty address), the address text, and under --regions its
// region and perhaps its town. Views valid until the next Next().
struct Address {
  app::rules::AddressParts<std::string_view> parts;
  std::string_view text;
  const Region* region = nullptr;
  std::uint32_t region_index = 0;  // its place among the regions drawn from
  std::uint32_t town = kNoTown;    // its place among the towns drawn from
};

class AddressMaker {
 public:
  // Starts at the run's first address. `settings` outlives the maker.
  AddressMaker(std::uint32_t seed, const AddressSettings& settings);

  // The next address made is the one after `index` others of the run. In window style in logarithmic time: every
  // address takes the same number of draws, so the generator can be moved on to where any of them starts; real
  // style draws each address from its own place.
  void MoveTo(std::uint64_t index);
  Address Next();
  // Window style: where the generator is, which goes round a fixed cycle.
  std::uint32_t GeneratorState() const { return generator_.State(); }
  // How many different addresses these settings can give at most, regions and towns counted, capped at the largest
  // 64-bit number.
  std::uint64_t DistinctCount() const;

  // Real style: what the address after `index` others reads of the region tables (its region, its town, the place
  // name its road is named after), chosen ahead so that they can be fetched before the address is made; Make then
  // makes it, its generator going on from these draws, and counts as Next.
  struct Choices {
    places::AddressRandom random;
    std::uint32_t region = 0, town = kNoTown;
    const places::ShortText* local_stem = nullptr;
  };
  Choices Choose(std::uint64_t index) const;
  Address Make(Choices& choices);

 private:
  Address NextInWindowStyle(std::uint64_t index);
  std::uint32_t DrawsPerAddress();
  std::uint64_t DistinctAddresses() const;

  std::uint32_t seed_;
  const AddressSettings& settings_;
  RandomGenerator generator_;
  std::optional<app::rules::ManualSource<const NameList*, Bound>> source_;
  BatchOperations ops_;
  std::optional<places::RealAddressMaker> real_;
  std::uint64_t index_ = 0;
  std::uint32_t draws_per_address_ = 0;
};

}  // namespace quarrow::batch
