#include "batch/address_maker.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>

namespace quarrow::batch {

using places::TimesCapped;

namespace {

std::size_t Longest(const NameList& list) {
  std::size_t longest = 0;
  for (const std::string& name : list) longest = std::max(longest, name.size());
  return longest;
}

// Every piece one address makes, numbers and characters, fits in 1 KB; the names come in twice at most, once
// drawn and once joined.
std::size_t ScratchSize(const std::optional<ManualSettings>& manual) {
  return 1024 + (manual ? 2 * (Longest(manual->roads) + Longest(manual->communities)) : 0);
}


// The values RandomNumber(low, high) can give: a draw has 32768 values, so a wider range reaches only its first
// 32768 numbers.
std::uint64_t ValuesIn(std::int32_t low, std::int32_t high) {
  const std::int64_t lo = std::max(low, 0), hi = std::max(high, 0);
  const std::uint64_t span = static_cast<std::uint64_t>(std::max(lo, hi) - std::min(lo, hi));
  return std::min<std::uint64_t>(span + 1, 32768);
}

// Distinct names among the entries a draw can pick; each one's text is different, and so are the addresses.
std::uint64_t NamesIn(const NameList& list) {
  const std::size_t reachable = std::min<std::size_t>(list.size(), 32768);
  return std::unordered_set<std::string_view>(list.begin(), list.begin() + reachable).size();
}

}  // namespace

AddressMaker::AddressMaker(std::uint32_t seed, const AddressSettings& settings)
    : seed_(seed), settings_(settings), ops_(generator_, ScratchSize(settings.manual)) {
  if (settings.real) {
    real_.emplace(*settings.real);
    return;
  }
  if (const auto& manual = settings.manual) {
    source_.emplace(app::rules::ManualSource<const NameList*, Bound>{
        &manual->roads, &manual->communities, Bound(manual->house_min), Bound(manual->house_max),
        Bound(manual->building_min), Bound(manual->building_max), Bound(manual->unit_min), Bound(manual->unit_max),
        Bound(manual->room_min), Bound(manual->room_max)});
  }
  draws_per_address_ = DrawsPerAddress();
  MoveTo(0);
}

// The same for every address of a run, whose bounds and lists are fixed (auto mode takes ten): found by making
// one and seeing how far the generator went.
std::uint32_t AddressMaker::DrawsPerAddress() {
  generator_.Seed(seed_);
  NextInWindowStyle(0);
  RandomGenerator moved;
  moved.Seed(seed_);
  for (std::uint32_t draws = 0; draws <= 64; ++draws, moved.Draw()) {
    if (moved.State() == generator_.State()) return draws;
  }
  throw std::logic_error("an address took more draws than the rules make");
}

void AddressMaker::MoveTo(std::uint64_t index) {
  index_ = index;
  if (real_) return;
  generator_.Seed(seed_);
  generator_.Skip(std::uint64_t{draws_per_address_} * index);
}

Address AddressMaker::Next() {
  if (real_) {
    Choices choices = Choose(index_);
    return Make(choices);
  }
  return NextInWindowStyle(index_++);
}

// Flattened: the rules' calls are inlined with their fixed bounds, so auto mode's draws reduce by constants.
[[gnu::flatten]] Address AddressMaker::NextInWindowStyle(std::uint64_t index) {
  ops_.StartAddress();
  Address address;
  // Its own sequence, so taken first or last it is the same.
  if (const RegionDraw* regions = settings_.regions) {
    address.region_index = regions->For(index);
    address.region = regions->Regions()[address.region_index];
  }
  if (!source_) {
    address.parts = app::rules::DrawAutoAddress(ops_);
  } else if (auto parts = app::rules::DrawManualAddress(ops_, *source_)) {
    address.parts = *parts;
  } else {
    return address;
  }
  address.text = app::rules::JoinAddress(ops_, address.parts);
  return address;
}

AddressMaker::Choices AddressMaker::Choose(std::uint64_t index) const {
  Choices choices{places::AddressRandom(seed_, index)};
  if (const RegionDraw* regions = settings_.regions) {
    choices.region = regions->For(index);
    if (settings_.towns) choices.town = regions->DrawTown(choices.region, choices.random);
    choices.local_stem = places::PickLocalStem(choices.random, regions->LocalStems(choices.region));
  }
  return choices;
}

Address AddressMaker::Make(Choices& choices) {
  ++index_;
  const places::RealAddress real = real_->Make(choices.random, choices.local_stem);
  // Each member once: a whole address cleared first would cost a block fill per row.
  return Address{{real.road, real.number, real.community, real.building, real.unit, real.room},
                 real.text,
                 settings_.regions ? settings_.regions->Regions()[choices.region] : nullptr,
                 choices.region,
                 choices.town};
}

std::uint64_t AddressMaker::DistinctCount() const {
  const RegionDraw* regions = settings_.regions;
  if (real_) {
    if (!regions) return real_->DistinctCount(0);
    return TimesCapped(settings_.towns ? regions->Towns().size() : regions->Count(),
                               real_->DistinctCount(regions->MostLocalStems()));
  }
  return TimesCapped(DistinctAddresses(), regions ? regions->Count() : 1);
}

std::uint64_t AddressMaker::DistinctAddresses() const {
  if (!source_) {
    const std::uint64_t hanzi = 43 * 43;  // lead and trail bytes B0..DA
    return TimesCapped(TimesCapped(TimesCapped(hanzi * hanzi, ValuesIn(3, 19)), hanzi),
                 ValuesIn(10, 99) * ValuesIn(1, 9) * ValuesIn(111, 999));
  }
  const auto& s = *source_;
  const ManualSettings& manual = *settings_.manual;
  if (manual.roads.empty() || manual.communities.empty() || s.house_min.blank || s.house_max.blank) return 1;
  std::uint64_t count = TimesCapped(NamesIn(manual.roads), NamesIn(manual.communities));
  count = TimesCapped(count, ValuesIn(s.house_min.value, s.house_max.value));
  count = TimesCapped(count, ValuesIn(s.building_min.value, s.building_max.value));
  count = TimesCapped(count, ValuesIn(s.unit_min.value, s.unit_max.value));
  return TimesCapped(count, ValuesIn(s.room_min.value, s.room_max.value));
}

}  // namespace quarrow::batch
