#include "places/region_table.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <string_view>

#include "conversions/gbk_unicode.h"
#include "places/division_table.h"
#include "places/town_table.h"

namespace quarrow::places {

namespace {

// The table's city-level names that stand for "no city": a municipality's districts and counties, and the
// county-level cities and counties a province or autonomous region governs itself.
bool IsCityPlaceholder(std::string_view name) {
  return name == "市辖区" || name == "县" || name.ends_with("直辖县级行政区划");
}

// The statistical division codes also number development zones and other such areas, 71 to 80 after a city's
// four digits (a province's own group, xx90, numbers its counties from 01). They are no administrative divisions
// and their codes are in no administrative register, which is what a database checks a division code against.
bool IsStatisticalArea(const divisions::County& county, const divisions::City& city) {
  const std::uint32_t number = county.code % 100;
  return number >= 71 && number <= 80 && city.code % 100 != 90;
}

// The generated tables hold GBK only; a name that does not convert is a fault of the tables.
void AppendUtf8(std::string_view gbk, std::string& utf8) {
  if (!AppendGbkAsUtf8(gbk, utf8)) throw std::logic_error("a division name is not GBK");
}

std::string Utf8(std::string_view gbk) {
  std::string utf8;
  AppendUtf8(gbk, utf8);
  return utf8;
}

}  // namespace

RegionTable::RegionTable() {
  using divisions::kTownCount;
  // The towns' texts first, whole, and then the views into them.
  constexpr std::size_t kCodeDigits = 9;
  std::vector<std::uint32_t> utf8_ends(kTownCount);
  town_text_.reserve(kTownCount * kCodeDigits + divisions::kTownNameEnds[kTownCount - 1] * 3 / 2);
  for (int i = 0; i < kTownCount; ++i) {
    char digits[kCodeDigits];
    std::to_chars(digits, digits + kCodeDigits, divisions::kTownCodes[i]);
    town_text_.append(digits, kCodeDigits);
    AppendUtf8(divisions::TownName(i), town_text_);
    utf8_ends[i] = static_cast<std::uint32_t>(town_text_.size());
  }
  towns_.reserve(kTownCount);
  for (int i = 0; i < kTownCount; ++i) {
    const std::string_view text(town_text_.data() + (i == 0 ? 0 : utf8_ends[i - 1]),
                                town_text_.data() + utf8_ends[i]);
    towns_.push_back({divisions::kTownCodes[i], text.substr(0, kCodeDigits), divisions::TownName(i),
                      text.substr(kCodeDigits)});
  }

  regions_.reserve(divisions::kCountyCount);
  auto town = towns_.begin();
  for (const divisions::County& county : divisions::kCounties) {
    const divisions::City& city = divisions::kCities[county.city];
    if (IsStatisticalArea(county, city)) continue;
    const divisions::Province& province = divisions::kProvinces[city.province];
    Region region;
    region.code = county.code;
    region.code_text = std::to_string(county.code);
    RegionNames& gbk = region.gbk;
    gbk.province = province.name;
    if (!IsCityPlaceholder(city.name)) gbk.city = city.name;
    // A city without counties is listed once more as its own county-level division.
    if (gbk.city != county.name) gbk.county = county.name;
    gbk.joined = gbk.province + gbk.city + gbk.county;
    region.utf8 = {Utf8(gbk.province), Utf8(gbk.city), Utf8(gbk.county), Utf8(gbk.joined)};

    // Both in code order, and a town's code starts with its county's.
    if (town != towns_.end() && town->code / 1000 < county.code) throw std::logic_error("a town lies under no region");
    const auto first_town = town;
    while (town != towns_.end() && town->code / 1000 == county.code) ++town;
    region.towns = std::span<const Town>(first_town, town);

    regions_.push_back(std::move(region));
  }
  if (town != towns_.end()) throw std::logic_error("a town lies under no region");
}

}  // namespace quarrow::places
