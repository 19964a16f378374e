// The stems that local roads are named after: a place name without the words that say what kind of division it is
// ("安宜镇" gives "安宜", "长阳土家族自治县" "长阳", "科尔沁左翼中旗" "科尔沁").
#pragma once

#include <string_view>
#include <vector>

#include "places/region_table.h"

namespace quarrow::places {

// A start of the GBK name, or empty where the name leaves no stem that reads as a place name of its own: two to four
// Chinese characters, no numbers alone, no development zone, farm company or road. A county-level name loses
// 县, 区, 市, 旗 and their kinds (自治县, 新区, 左翼中旗 …), a town's 镇, 乡, 街道, 苏木, 地区, 农场 and theirs.
std::string_view CountyStem(std::string_view gbk_name);
std::string_view TownStem(std::string_view gbk_name);

// A region's own place names that its roads may be named after: its county-level name's stem and its towns', each
// once, in that order. Views into the region's table.
std::vector<std::string_view> LocalStemsOf(const Region& region);

}  // namespace quarrow::places
