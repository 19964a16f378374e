// What a run makes, read from its options and checked: the window's manual mode or real style's lists and ranges,
// and the regions a filter keeps.
#pragma once

#include <string>
#include <vector>

#include "batch/address_maker.h"
#include "batch/batch_options.h"
#include "places/region_filter.h"

namespace quarrow::batch {

// The lists read and the texts checked; the regions are the caller's to add. Throws UsageError.
AddressSettings ReadAddressSettings(const Options& options);

// Throws UsageError, whose message lists what the filter could have meant.
std::vector<places::SelectedRegion> SelectedRegions(const RegionTable& table, const std::string& filter);

}  // namespace quarrow::batch
