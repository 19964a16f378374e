// The provinces, cities and county-level divisions of the division codes, generated from one pinned data package
// into division_table.cpp (scripts/make-division-table). Each level is in code order; every entry names its parent
// by index.
#pragma once

#include <cstdint>

namespace quarrow::places::divisions {

struct Province {
  std::uint32_t code;  // two digits
  const char* name;    // GBK, as the package gives it
};

struct City {
  std::uint32_t code;  // four digits, its province's two first
  const char* name;    // GBK; a placeholder where the province has no city level, e.g. "市辖区"
  std::uint16_t province;
};

struct County {
  std::uint32_t code;  // six digits, its city's four first
  const char* name;    // GBK; the city's own name where the city has no county level
  std::uint16_t city;
};

// The package's counts; the generator refuses to write a table that does not have them.
inline constexpr int kProvinceCount = 31;
inline constexpr int kCityCount = 342;
inline constexpr int kCountyCount = 2978;

extern const char kSource[];  // the package's name and version
extern const Province kProvinces[kProvinceCount];
extern const City kCities[kCityCount];
extern const County kCounties[kCountyCount];

}  // namespace quarrow::places::divisions
