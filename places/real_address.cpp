#include "places/real_address.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <limits>
#include <unordered_set>

#include "commands/random_numbers.h"
#include "places/word_lists.h"

namespace quarrow::places {

namespace {

using Short = ShortText;

constexpr Short ShortOf(std::string_view text) {
  Short s;
  for (std::size_t i = 0; i < text.size() && i < sizeof s.bytes; ++i) s.bytes[i] = text[i];
  s.size = static_cast<std::uint32_t>(text.size());
  return s;
}

// A choice and how often it is made, out of the sum of its table's weights.
struct Weighted {
  Short text;
  std::uint32_t weight;
  // Which variants the name takes before its kind: a direction ("中山东路") and an ordinal ("建设二路").
  bool direction = false, ordinal = false;
};

constexpr Weighted W(std::string_view text, std::uint32_t weight, bool direction = false, bool ordinal = false) {
  return {ShortOf(text), weight, direction, ordinal};
}

// Road kinds in about the shares they have in a Chinese city: most roads are 路.
constexpr Weighted kRoadKinds[] = {
    W("路", 62, true, true), W("街", 13, true, true), W("大道", 8, true, false),
    W("巷", 7, false, true), W("大街", 6, true, false), W("道", 4),
};
constexpr Short kDirections[] = {ShortOf("东"), ShortOf("西"), ShortOf("南"), ShortOf("北"), ShortOf("中")};
// The first ordinals are the commonest: a second road of a name is likelier than a fifth.
constexpr Weighted kOrdinals[] = {W("一", 35), W("二", 30), W("三", 18), W("四", 10), W("五", 7)};

constexpr Weighted kCommunityKinds[] = {
    W("花园", 16), W("小区", 16), W("家园", 12), W("苑", 10), W("新村", 8), W("公寓", 6), W("华庭", 5),
    W("名苑", 5),  W("佳苑", 4),  W("雅苑", 4),  W("社区", 4), W("花苑", 3), W("新城", 3), W("府", 2),
};
constexpr Short kPlainCommunity = ShortOf("小区");
constexpr Weighted kBuildingSuffixes[] = {W("栋", 45), W("号楼", 35), W("幢", 20)};
constexpr Short kHouse = ShortOf("号"), kUnit = ShortOf("单元"), kRoom = ShortOf("室");
constexpr Short kSubNumbers[] = {ShortOf("之1"), ShortOf("之2"), ShortOf("之3"), ShortOf("A"), ShortOf("B")};

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

// A weighted choice without a branch that depends on the draw: the table's running sums counted against it.
template <const auto& kTable>
const Weighted& Choose(AddressRandom& random) {
  constexpr std::size_t kCount = std::size(kTable);
  static constexpr auto kUpTo = [] {
    std::array<std::uint32_t, kCount> up_to{};
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < kCount; ++i) up_to[i] = sum += kTable[i].weight;
    return up_to;
  }();
  const std::uint32_t drawn = random.Below(kUpTo[kCount - 1]);
  std::size_t chosen = 0;
  for (std::size_t i = 0; i + 1 < kCount; ++i) chosen += drawn >= kUpTo[i];
  return kTable[chosen];
}

std::uint32_t InRange(AddressRandom& random, const NumberRange& range) {
  const std::uint32_t low = std::min(range.low, range.high), high = std::max(range.low, range.high);
  const std::uint64_t span = std::uint64_t{high} - low + 1;
  // Ranges wider than 32 bits do not occur: both bounds are 32-bit numbers, and the span fits in 33.
  return low + static_cast<std::uint32_t>((std::uint64_t{random.Next32()} * span) >> 32);
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

// The lists' entries are two to four characters, which their build checks.
std::vector<Short> ShortsOf(std::span<const std::string_view> texts) {
  std::vector<Short> shorts;
  for (const std::string_view text : texts) shorts.push_back(ShortTextOf(text));
  return shorts;
}

// The last character of a text of two-byte characters.
std::uint16_t LastCharacter(const Short& s) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(s.bytes[s.size - 2]) << 8 |
                                    static_cast<unsigned char>(s.bytes[s.size - 1]));
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

ShortText ShortTextOf(std::string_view text) {
  if (text.size() > sizeof ShortText::bytes) throw std::logic_error("a stem is longer than four characters");
  return ShortOf(text);
}

const ShortText* PickLocalStem(AddressRandom& random, std::span<const ShortText> local_stems) {
  if (local_stems.empty() || !random.Percent(kLocalRoads)) return nullptr;
  return &local_stems[random.Below(static_cast<std::uint32_t>(local_stems.size()))];
}

// The word lists as texts to copy whole, with what a community's stem ends with; the same for every maker.
struct RealAddressMaker::Words {
  std::vector<Short> road_stems = ShortsOf(RoadStems());
  std::vector<Short> community_stems = ShortsOf(CommunityStems());
  std::vector<std::uint16_t> community_stem_ends = [this] {
    std::vector<std::uint16_t> ends;
    for (const Short& stem : community_stems) ends.push_back(LastCharacter(stem));
    return ends;
  }();
};

RealAddressMaker::RealAddressMaker(const RealSettings& settings)
    : settings_(settings), text_(256 + Longest(settings.roads) + Longest(settings.communities)) {
  static const Words words;
  words_ = &words;
}

// Anything of any length: a name from the user's list, a place name.
void RealAddressMaker::Text::Put(std::string_view piece) {
  std::memcpy(end_, piece.data(), piece.size());
  end_ += piece.size();
}

// Eight bytes are copied whatever the size: the room has eight more than the longest address needs.
void RealAddressMaker::Text::Put(const Short& piece) {
  std::memcpy(end_, piece.bytes, sizeof piece.bytes);
  end_ += piece.size;
}

void RealAddressMaker::Text::PutNumber(std::uint32_t number) {
  // Two digits each, the first in the low byte: as they lie in memory on a little-endian processor.
  static constexpr auto kPairs = [] {
    std::array<std::uint16_t, 100> pairs{};
    for (std::uint16_t i = 0; i < 100; ++i) pairs[i] = static_cast<std::uint16_t>(('0' + i / 10) | ('0' + i % 10) << 8);
    return pairs;
  }();
  if (number >= 10000 || std::endian::native != std::endian::little) {
    end_ = std::to_chars(end_, end_ + 10, number).ptr;
    return;
  }
  // Most numbers of an address have one to four digits: all four are made in a register, and the leading zeros
  // shifted out without a branch.
  const std::uint32_t count = 1 + (number >= 10) + (number >= 100) + (number >= 1000);
  const std::uint32_t four = (kPairs[number / 100] | std::uint32_t{kPairs[number % 100]} << 16) >> 8 * (4 - count);
  std::memcpy(end_, &four, sizeof four);
  end_ += count;
}

void RealAddressMaker::DrawRoad(AddressRandom& random, const ShortText* local_stem) {
  if (!settings_.roads.empty()) {
    text_.Put(settings_.roads[random.Below(static_cast<std::uint32_t>(settings_.roads.size()))]);
    return;
  }
  if (local_stem) {
    text_.Put(*local_stem);
  } else {
    const std::vector<Short>& stems = words_->road_stems;
    text_.Put(stems[random.Below(static_cast<std::uint32_t>(stems.size()))]);
  }
  const Weighted& kind = Choose<kRoadKinds>(random);
  const std::uint32_t variant = random.Below(100);
  if (kind.direction && variant < kDirectionRoads) {
    text_.Put(kDirections[random.Below(std::size(kDirections))]);
  } else if (kind.ordinal && variant >= 100 - kOrdinalRoads) {
    text_.Put(Choose<kOrdinals>(random).text);
  }
  text_.Put(kind.text);
}

void RealAddressMaker::DrawCommunity(AddressRandom& random) {
  if (!settings_.communities.empty()) {
    text_.Put(settings_.communities[random.Below(static_cast<std::uint32_t>(settings_.communities.size()))]);
    return;
  }
  const std::uint32_t stem = random.Below(static_cast<std::uint32_t>(words_->community_stems.size()));
  const Short& kind = Choose<kCommunityKinds>(random).text;
  text_.Put(words_->community_stems[stem]);
  // "翠苑" takes no "苑" and "华府" no "府": a kind that would say its last character again gives way to 小区.
  text_.Put(LastCharacter(kind) == words_->community_stem_ends[stem] ? kPlainCommunity : kind);
}

RealAddress RealAddressMaker::Make(AddressRandom& random, const ShortText* local_stem) {
  text_.Clear();
  // Where the road, number, community, building, unit and room start and end; a part left out is empty.
  std::size_t starts[6] = {0, 0, 0, 0, 0, 0}, ends[6] = {0, 0, 0, 0, 0, 0};
  const auto part = [&](int which, auto&& draw) {
    starts[which] = text_.Size();
    draw();
    ends[which] = text_.Size();
  };

  part(0, [&] { DrawRoad(random, local_stem); });
  part(1, [&] {
    if (settings_.house) {
      text_.PutNumber(InRange(random, *settings_.house));
      return;
    }
    text_.PutNumber(HouseNumber(random));
    if (random.Percent(kSubNumber)) text_.Put(kSubNumbers[random.Below(std::size(kSubNumbers))]);
  });
  text_.Put(kHouse);

  const bool community = !settings_.communities.empty() || random.Percent(kWithCommunity);
  bool unit = false, room = false;
  if (community) {
    part(2, [&] { DrawCommunity(random); });
    part(3, [&] { text_.PutNumber(InRange(random, settings_.building.value_or(NumberRange{1, kMostBuildings}))); });
    text_.Put(Choose<kBuildingSuffixes>(random).text);
    unit = settings_.unit || random.Percent(kWithUnit);
    room = true;
  } else {
    room = random.Percent(kRoomWithoutCommunity);
    unit = room && random.Percent(kUnitWithoutCommunity);
  }
  if (unit) {
    part(4, [&] { text_.PutNumber(InRange(random, settings_.unit.value_or(NumberRange{1, kMostUnits}))); });
    text_.Put(kUnit);
  }
  if (room) {
    part(5, [&] { text_.PutNumber(settings_.room ? InRange(random, *settings_.room) : RoomNumber(random)); });
    text_.Put(kRoom);
  }

  const std::string_view text = text_.View();
  const auto view = [&](int which) { return text.substr(starts[which], ends[which] - starts[which]); };
  return RealAddress{view(0), view(1), view(2), view(3), view(4), view(5), text};
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
  const std::uint64_t houses = Values(settings_.house, std::uint64_t{kMostHouses} * (1 + std::size(kSubNumbers)));
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
