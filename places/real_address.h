// Addresses that read like real ones: a road named the way Chinese roads are named, a house number, most often a
// residential community with its building, unit and room, written as Chinese addresses are ("中山东路88号阳光花园
// 3栋2单元1203室"). Each address is a function of the seed and its place in the run alone, so that any address can
// be made without those before it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commands/random_numbers.h"

namespace quarrow::places {

// A number range as the user gave it; both bounds included, in either order.
struct NumberRange {
  std::uint32_t low = 0, high = 0;
};

// What the user put in place of the generated parts: whole names ("人民路", "阳光花园"), and number ranges. The
// room range gives the whole room number.
struct RealSettings {
  std::vector<std::string> roads, communities;  // GBK; empty: generated
  std::optional<NumberRange> house, building, unit, room;
};

// The parts of one address, GBK, each empty where the address has none; views valid until the next Make.
struct RealAddress {
  std::string_view road, number, community, building, unit, room;
  std::string_view text;
};

// A small generator of its own for each address: SplitMix64 from the seed and the address's place.
class AddressRandom {
 public:
  AddressRandom(std::uint32_t seed, std::uint64_t index);
  std::uint64_t Next() {
    state_ += kGoldenStep;
    return MixBits(state_);
  }
  // 32 bits: the high half of a draw, then its low half, so that a mixing serves two of an address's choices.
  std::uint32_t Next32() {
    if (halves_left_) {
      halves_left_ = false;
      return static_cast<std::uint32_t>(half_);
    }
    half_ = Next();
    halves_left_ = true;
    return static_cast<std::uint32_t>(half_ >> 32);
  }
  // 0 to n − 1, as likely each to within n / 2^32.
  std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>((std::uint64_t{Next32()} * n) >> 32); }
  // A whole percentage: true `percent` times in a hundred.
  bool Percent(std::uint32_t percent) { return Below(100) < percent; }

 private:
  std::uint64_t state_;
  std::uint64_t half_ = 0;
  bool halves_left_ = false;
};

// a × b, or the largest 64-bit number where that would not fit: counts of possible addresses soon pass it.
std::uint64_t TimesCapped(std::uint64_t a, std::uint64_t b);

// A fixed text of eight bytes at most: every kind, direction and stem of the tables is one. It is copied whole, one
// move without a loop, and the address goes on after its size.
struct ShortText {
  char bytes[8] = {};
  std::uint32_t size = 0;
};

// Throws std::logic_error for a text longer than eight bytes.
ShortText ShortTextOf(std::string_view text);

// Whether an address's road is named after one of its own places, and which: one of `local_stems`, its region's
// place names without their suffixes (its county's and towns'), or none. Drawn first of an address's parts (after
// its town), so that what an address reads of its region's tables can be known ahead of it.
const ShortText* PickLocalStem(AddressRandom& random, std::span<const ShortText> local_stems);

class RealAddressMaker {
 public:
  explicit RealAddressMaker(const RealSettings& settings);

  // `local_stem`: what PickLocalStem gave for this address.
  RealAddress Make(AddressRandom& random, const ShortText* local_stem);

  // How many different addresses these settings can give at most, without regions.
  std::uint64_t DistinctCount(std::size_t most_local_stems) const;

 private:
  struct Words;

  void DrawRoad(AddressRandom& random, const ShortText* local_stem);
  void DrawCommunity(AddressRandom& random);

  // The address as it is made, in room enough for every piece of one; the parts are views into it.
  class Text {
   public:
    // Eight bytes more than `room`: a short piece is copied in eight.
    explicit Text(std::size_t room) : bytes_(room + 8), end_(bytes_.data()) {}
    void Clear() { end_ = bytes_.data(); }
    void Put(std::string_view piece);
    void Put(const ShortText& piece);
    void PutNumber(std::uint32_t number);
    std::size_t Size() const { return static_cast<std::size_t>(end_ - bytes_.data()); }
    std::string_view View() const { return {bytes_.data(), Size()}; }

   private:
    std::vector<char> bytes_;
    char* end_;
  };

  const RealSettings& settings_;
  const Words* words_;
  Text text_;
};

}  // namespace quarrow::places
