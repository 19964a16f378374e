// The county-level divisions, each with its province and city, named the way the official names read: the
// regions quarrow-batch --regions puts in front of its addresses.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quarrow::places {

// A region's names in one encoding. `city` is empty where the province has no city level (a municipality,
// or a county the province governs directly: "北京市东城区", "湖北省仙桃市"); `county` is empty where the city
// has no county level ("广东省东莞市"). `joined` is the three together.
struct RegionNames {
  std::string province, city, county, joined;
};

struct Region {
  std::uint32_t code;  // the county-level division's six digits
  std::string code_text;
  RegionNames gbk, utf8;
};

class RegionTable {
 public:
  // Every county-level division of the generated table, in code order, but for the statistical areas.
  RegionTable();
  std::span<const Region> Regions() const { return regions_; }

 private:
  std::vector<Region> regions_;
};

}  // namespace quarrow::places
