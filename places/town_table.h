// The towns, townships and subdistricts (乡镇/街道) under the county-level divisions, generated from the same pinned
// data package as division_table.h into town_table.cpp (scripts/make-division-table). In code order, and so grouped
// by county: a town's code is its county's six digits and three of its own.
#pragma once

#include <cstdint>
#include <string_view>

namespace quarrow::places::divisions {

// The towns kept; the generator refuses to write a table that does not have them.
inline constexpr int kTownCount = 40910;

// Their names, GBK, one after the other without separators: the i-th ends at kTownNameEnds[i], the one before it
// where the i-th starts.
extern const char kTownNames[];
extern const std::uint32_t kTownNameEnds[kTownCount];
extern const std::uint32_t kTownCodes[kTownCount];  // nine digits

inline std::string_view TownName(int i) {
  const std::uint32_t start = i == 0 ? 0 : kTownNameEnds[i - 1];
  return {kTownNames + start, kTownNameEnds[i] - start};
}

}  // namespace quarrow::places::divisions
