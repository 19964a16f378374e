// The county-level divisions, each with its province and city, named the way the official names read, and the
// towns under each: the regions quarrow-batch --regions puts in front of its addresses.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quarrow::places {

// A region's names in one encoding. `city` is empty where the province has no city level (a municipality,
// or a county the province governs directly: "北京市东城区", "湖北省仙桃市"); `county` is empty where the city
// has no county level ("广东省东莞市"). `joined` is the three together.
struct RegionNames {
  std::string province, city, county, joined;
};

// A town, township or subdistrict (乡镇/街道). The views are the table's: a row copies them as they are.
struct Town {
  std::uint32_t code;          // nine digits, its county's six first
  std::string_view code_text;  // the same digits
  std::string_view gbk, utf8;  // its own name ("玄武门街道"), without the region's
};

struct Region {
  std::uint32_t code;  // the county-level division's six digits
  std::string code_text;
  RegionNames gbk, utf8;
  std::span<const Town> towns;  // in code order; every region has at least one
};

class RegionTable {
 public:
  // Every county-level division of the generated tables with its towns, in code order, but for the statistical
  // areas. Regions and towns point into the table, which therefore stays where it is made.
  RegionTable();
  RegionTable(const RegionTable&) = delete;
  RegionTable& operator=(const RegionTable&) = delete;

  std::span<const Region> Regions() const { return regions_; }
  std::span<const Town> Towns() const { return towns_; }  // all of them, in code order

 private:
  std::string town_text_;  // every town's code text and UTF-8 name, one after the other
  std::vector<Town> towns_;
  std::vector<Region> regions_;
};

}  // namespace quarrow::places
