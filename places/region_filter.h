// Which regions a --regions filter keeps. A filter is one or more parts separated by commas, each either a
// division's name ("江苏省", "江苏省南京市", "南京市", "北京市东城区") or the first digits of a code ("32", "3201",
// "320102"); the regions under any part are kept. An empty filter keeps them all.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "places/region_table.h"

namespace quarrow::places {

// A filter that keeps nothing, or names something twice over; the message (GBK) lists what it could have meant.
class FilterError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The regions kept, in code order. Throws FilterError when a part matches nothing or a name names several
// divisions.
std::vector<const Region*> SelectRegions(const RegionTable& table, std::string_view filter_gbk);

}  // namespace quarrow::places
