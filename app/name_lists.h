// The road and community lists that manual mode draws names from: entries are added from their entry boxes by
// button or Enter and removed with Delete.
#pragma once

#include <cstdint>

#include "runtime/facade.h"

namespace quarrow::app {

void AddRoad();
void AddCommunity();
void OnRoadEntryKey(std::int32_t key);
void OnCommunityEntryKey(std::int32_t key);
void OnRoadListKey(std::int32_t key);
void OnCommunityListKey(std::int32_t key);
// Deletes the selected entries of a list box, the highest index first.
void DeleteSelectedItems(const rt::UnitRef& list);

}  // namespace quarrow::app
