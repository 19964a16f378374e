#include "places/real_address.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <unordered_set>

#include "commands/random_numbers.h"
#include "places/word_lists.h"

namespace quarrow::places {

namespace {

// A choice and how often it is made, out of the sum of its table's weights.
struct Weighted {
  std::string_view text;
  std::uint32_t weight;
  // Which variants the name takes before its kind: a direction ("中山东路") and an ordinal ("建设二路").
  bool direction = false, ordinal = false;
};

// Road kinds in about the shares they have in a Chinese city: most roads are 路.
constexpr Weighted kRoadKinds[] = {
    {"路", 62, true, true}, {"街", 13, true, true}, {"大道", 8, true, false},
    {"巷", 7, false, true}, {"大街", 6, true, false}, {"道", 4, false, false},
};
constexpr std::string_view kDirections[] = {"东", "西", "南", "北", "中"};
// The first ordinals are the commonest: a second road of a name is likelier than a fifth.
constexpr Weighted kOrdinals[] = {{"一", 35}, {"二", 30}, {"三", 18}, {"四", 10}, {"五", 7}};

constexpr Weighted kCommunityKinds[] = {
    {"花园", 16}, {"小区", 16}, {"家园", 12}, {"苑", 10}, {"新村", 8}, {"公寓", 6}, {"华庭", 5},
    {"名苑", 5},  {"佳苑", 4},  {"雅苑", 4},  {"社区", 4}, {"花苑", 3}, {"新城", 3}, {"府", 2},
};
constexpr Weighted kBuildingSuffixes[] = {{"栋", 45}, {"号楼", 35}, {"幢", 20}};

// Shares of the rows, in percent.
constexpr std::uint32_t kLocalRoads = 30;          // of the rows with a region, roads named after its places
constexpr std::uint32_t kDirectionRoads = 18;      // of the kinds that take one
constexpr std::uint32_t kOrdinalRoads = 10;        // likewise
constexpr std::uint32_t kWithCommunity = 75;
constexpr std::uint32_t kWithUnit = 85;            // of the rows with a community
constexpr std::uint32_t kRoomWithoutCommunity = 60;
constexpr std::uint32_t kUnitWithoutCommunity = 50;  // of those with a room
constexpr std::uint32_t kSubNumber = 2;            // "88之1号", "88A号"

constexpr std::uint32_t kMostBuildings = 40, kMostUnits = 6, kMostFloors = 33, kMostDoors = 4, kMostHouses = 999;
constexpr std::uint32_t kSubNumberForms = 5;  // 之1, 之2, 之3, A, B

template <std::size_t N>
constexpr std::uint32_t TotalWeight(const Weighted (&table)[N]) {
  std::uint32_t total = 0;
  for (const Weighted& w : table) total += w.weight;
  return total;
}

template <std::size_t N>
const Weighted& Choose(AddressRandom& random, const Weighted (&table)[N]) {
  std::uint32_t left = random.Below(TotalWeight(table));
  for (const Weighted& w : table) {
    if (left < w.weight) return w;
    left -= w.weight;
  }
  return table[N - 1];
}

void AppendNumber(std::uint32_t number, std::string& out) {
  char digits[10];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

std::uint32_t InRange(AddressRandom& random, const NumberRange& range) {
  const std::uint32_t low = std::min(range.low, range.high), high = std::max(range.low, range.high);
  const std::uint64_t span = std::uint64_t{high} - low + 1;
  // Ranges wider than 32 bits do not occur: both bounds are 32-bit numbers, and the span fits in 33.
  return low + static_cast<std::uint32_t>(((random.Next() >> 32) * span) >> 32);
}

// Most houses are near a road's start: 85 in 100 numbers are under 200.
std::uint32_t HouseNumber(AddressRandom& random) {
  const std::uint32_t band = random.Below(100);
  if (band < 60) return InRange(random, {1, 99});
  if (band < 85) return InRange(random, {100, 199});
  return InRange(random, {200, kMostHouses});
}

// Floor × 100 + door: low houses are the commonest, then mid-rise ones and towers.
std::uint32_t RoomNumber(AddressRandom& random) {
  const std::uint32_t band = random.Below(100);
  const std::uint32_t floor = InRange(random, band < 45 ? NumberRange{1, 6} : band < 75 ? NumberRange{7, 18}
                                                                                        : NumberRange{19, kMostFloors});
  return floor * 100 + InRange(random, {1, kMostDoors});
}


std::uint64_t Plus(std::uint64_t a, std::uint64_t b) {
  return a > std::numeric_limits<std::uint64_t>::max() - b ? std::numeric_limits<std::uint64_t>::max() : a + b;
}

std::uint64_t Values(const std::optional<NumberRange>& range, std::uint64_t otherwise) {
  if (!range) return otherwise;
  return std::uint64_t{std::max(range->low, range->high)} - std::min(range->low, range->high) + 1;
}

std::uint64_t Distinct(const std::vector<std::string>& names) {
  return std::unordered_set<std::string_view>(names.begin(), names.end()).size();
}

std::size_t Longest(const std::vector<std::string>& names) {
  std::size_t longest = 0;
  for (const std::string& name : names) longest = std::max(longest, name.size());
  return longest;
}

}  // namespace

std::uint64_t TimesCapped(std::uint64_t a, std::uint64_t b) {
  if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a) return std::numeric_limits<std::uint64_t>::max();
  return a * b;
}

AddressRandom::AddressRandom(std::uint32_t seed, std::uint64_t index)
    // The seed and the place each go through a mixing of their own, so that two places of one seed, or one place
    // of two seeds, start far apart.
    : state_(MixBits(MixBits(seed ^ 0x7265616C00000000u) + (index + 1) * kGoldenStep)) {}

std::uint64_t AddressRandom::Next() {
  state_ += kGoldenStep;
  return MixBits(state_);
}

RealAddressMaker::RealAddressMaker(const RealSettings& settings) : settings_(settings) {
  text_.reserve(256 + Longest(settings.roads) + Longest(settings.communities));
}

const std::string_view* PickLocalStem(AddressRandom& random, std::span<const std::string_view> local_stems) {
  if (local_stems.empty() || !random.Percent(kLocalRoads)) return nullptr;
  return &local_stems[random.Below(static_cast<std::uint32_t>(local_stems.size()))];
}

void RealAddressMaker::DrawRoad(AddressRandom& random, const std::string_view* local_stem) {
  if (!settings_.roads.empty()) {
    text_ += settings_.roads[random.Below(static_cast<std::uint32_t>(settings_.roads.size()))];
    return;
  }
  if (local_stem) {
    text_ += *local_stem;
  } else {
    const std::span<const std::string_view> stems = RoadStems();
    text_ += stems[random.Below(static_cast<std::uint32_t>(stems.size()))];
  }
  const Weighted& kind = Choose(random, kRoadKinds);
  const std::uint32_t variant = random.Below(100);
  if (kind.direction && variant < kDirectionRoads) {
    text_ += kDirections[random.Below(std::size(kDirections))];
  } else if (kind.ordinal && variant >= 100 - kOrdinalRoads) {
    text_ += Choose(random, kOrdinals).text;
  }
  text_ += kind.text;
}

void RealAddressMaker::DrawCommunity(AddressRandom& random) {
  if (!settings_.communities.empty()) {
    text_ += settings_.communities[random.Below(static_cast<std::uint32_t>(settings_.communities.size()))];
    return;
  }
  const std::span<const std::string_view> stems = CommunityStems();
  const std::string_view stem = stems[random.Below(static_cast<std::uint32_t>(stems.size()))];
  std::string_view kind = Choose(random, kCommunityKinds).text;
  // "翠苑" takes no "苑" and "华府" no "府": a kind that would say its last character again gives way to 小区.
  if (stem.size() >= 2 && kind.ends_with(stem.substr(stem.size() - 2))) kind = "小区";
  text_ += stem;
  text_ += kind;
}

RealAddress RealAddressMaker::Make(AddressRandom& random, const std::string_view* local_stem) {
  text_.clear();
  std::size_t ends[6] = {};  // where the road, number, community, building, unit and room end; 0: none
  std::size_t starts[6] = {};
  const auto part = [&](int which, auto&& draw) {
    starts[which] = text_.size();
    draw();
    ends[which] = text_.size();
  };

  part(0, [&] { DrawRoad(random, local_stem); });
  part(1, [&] {
    if (settings_.house) {
      AppendNumber(InRange(random, *settings_.house), text_);
      return;
    }
    AppendNumber(HouseNumber(random), text_);
    if (random.Percent(kSubNumber)) {
      const std::uint32_t form = random.Below(kSubNumberForms);
      if (form < 3) {
        text_ += "之";
        AppendNumber(form + 1, text_);
      } else {
        text_ += form == 3 ? "A" : "B";
      }
    }
  });
  text_ += "号";

  const bool community = !settings_.communities.empty() || random.Percent(kWithCommunity);
  bool unit = false, room = false;
  if (community) {
    part(2, [&] { DrawCommunity(random); });
    part(3, [&] { AppendNumber(InRange(random, settings_.building.value_or(NumberRange{1, kMostBuildings})), text_); });
    text_ += Choose(random, kBuildingSuffixes).text;
    unit = settings_.unit || random.Percent(kWithUnit);
    room = true;
  } else {
    room = random.Percent(kRoomWithoutCommunity);
    unit = room && random.Percent(kUnitWithoutCommunity);
  }
  if (unit) {
    part(4, [&] { AppendNumber(InRange(random, settings_.unit.value_or(NumberRange{1, kMostUnits})), text_); });
    text_ += "单元";
  }
  if (room) {
    part(5, [&] { AppendNumber(settings_.room ? InRange(random, *settings_.room) : RoomNumber(random), text_); });
    text_ += "室";
  }

  RealAddress address;
  std::string_view* views[] = {&address.road, &address.number, &address.community,
                               &address.building, &address.unit, &address.room};
  for (int i = 0; i < 6; ++i) {
    if (ends[i] != 0) *views[i] = std::string_view(text_).substr(starts[i], ends[i] - starts[i]);
  }
  address.text = text_;
  return address;
}

std::uint64_t RealAddressMaker::DistinctCount(std::size_t most_local_stems) const {
  std::uint64_t roads = Distinct(settings_.roads);
  if (settings_.roads.empty()) {
    std::uint64_t forms = 0;
    for (const Weighted& kind : kRoadKinds) {
      forms += 1 + (kind.direction ? std::size(kDirections) : 0) + (kind.ordinal ? std::size(kOrdinals) : 0);
    }
    roads = TimesCapped(RoadStems().size() + most_local_stems, forms);
  }
  const std::uint64_t houses = Values(settings_.house, std::uint64_t{kMostHouses} * (1 + kSubNumberForms));
  const std::uint64_t rooms = Values(settings_.room, std::uint64_t{kMostFloors} * kMostDoors);
  const std::uint64_t units = Values(settings_.unit, kMostUnits);
  std::uint64_t communities = Distinct(settings_.communities);
  if (settings_.communities.empty()) communities = TimesCapped(CommunityStems().size(), std::size(kCommunityKinds));
  // With a community: its building, with one of its suffixes, and a unit (which generated rows may leave out) and
  // a room. Without one: the house number alone, a room, or a unit and a room.
  std::uint64_t shapes = TimesCapped(TimesCapped(communities, Values(settings_.building, kMostBuildings)),
                               TimesCapped(std::size(kBuildingSuffixes),
                                     TimesCapped(settings_.unit ? units : units + 1, rooms)));
  if (settings_.communities.empty()) shapes = Plus(shapes, Plus(1, TimesCapped(rooms, units + 1)));
  return TimesCapped(TimesCapped(roads, houses), shapes);
}

}  // namespace quarrow::places
