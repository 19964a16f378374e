// Which regions a --regions filter keeps, and which of their towns. A filter is one or more parts separated by
// commas, each a division's name ("江苏省", "江苏省南京市", "南京市", "北京市东城区"), a town's, alone or after its
// region's ("玄武门街道", "玄武区玄武门街道", "江苏省南京市玄武区玄武门街道"), the first digits of a division's code
// ("32", "3201", "320102") or a town's nine digits ("320102005"). The regions under any part are kept; a town part
// keeps its region with that town only, with the others its region's town parts name, unless another part keeps the
// whole region. An empty filter keeps them all.
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

struct SelectedRegion {
  const Region* region;
  std::vector<const Town*> towns;  // the towns kept, in code order; empty when all of them are
};

// The regions kept, in code order. Throws FilterError when a part matches nothing or a name names several
// divisions or towns.
std::vector<SelectedRegion> SelectRegions(const RegionTable& table, std::string_view filter_gbk);

}  // namespace quarrow::places
