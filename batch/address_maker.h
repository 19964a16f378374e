// Addresses for the batch program, made by the window's rules with the batch program's operations.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/address_rules.h"
#include "batch/batch_operations.h"

namespace quarrow::batch {

// What manual mode draws from; without it, auto mode.
struct ManualSettings {
  NameList roads, communities;
  std::string house_min, house_max, building_min, building_max, unit_min, unit_max, room_min, room_max;
};

// One address: its components (all empty for the empty address) and the address text. Views valid until the next
// Next().
struct Address {
  app::rules::AddressParts<std::string_view> parts;
  std::string_view text;
};

class AddressMaker {
 public:
  AddressMaker(std::uint32_t seed, const std::optional<ManualSettings>& manual);

  Address Next();
  std::uint32_t GeneratorState() const { return generator_.State(); }
  // How many different address texts these settings can give at most, capped at the largest 64-bit number.
  std::uint64_t DistinctCount() const;

 private:
  RandomGenerator generator_;
  const std::optional<ManualSettings>& manual_;
  std::optional<app::rules::ManualSource<const NameList*, Bound>> source_;
  BatchOperations ops_;
};

}  // namespace quarrow::batch
