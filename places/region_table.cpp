#include "places/region_table.h"

#include <stdexcept>
#include <string_view>

#include "places/division_table.h"
#include "conversions/gbk_unicode.h"

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

std::string Utf8(std::string_view gbk) {
  std::string utf8;
  // The generated table holds GBK only; a name that does not convert is a fault of the table.
  if (!AppendGbkAsUtf8(gbk, utf8)) throw std::logic_error("a division name is not GBK");
  return utf8;
}

}  // namespace

RegionTable::RegionTable() {
  regions_.reserve(divisions::kCountyCount);
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
    regions_.push_back(std::move(region));
  }
}

}  // namespace quarrow::places
