#include "app/name_lists.h"

#include "app/window_units.h"
#include "commands/core_facade.h"
#include "units/edit_box_properties.h"
#include "units/unit_properties.h"

namespace quarrow::app {

namespace {

constexpr std::int32_t kEnter = 13;
constexpr std::int32_t kDelete = 46;

// The entry is taken as typed: no trimming, no test for emptiness or duplicates. The box keeps its text.
void AddEntry(const rt::UnitRef& entry_box, const rt::UnitRef& list) {
  cmd::ListBoxAddItem(list, rt::ReadText(entry_box, PropertyIndex(edit_box::kText)));
}

}  // namespace

void AddRoad() { AddEntry(units::kRoadEntry, units::kRoadList); }
void AddCommunity() { AddEntry(units::kCommunityEntry, units::kCommunityList); }

// Only the key code counts: Ctrl+Enter adds too, Shift+Delete deletes too. The key goes on to the control.
void OnRoadEntryKey(std::int32_t key) {
  if (key == kEnter) AddRoad();
}
void OnCommunityEntryKey(std::int32_t key) {
  if (key == kEnter) AddCommunity();
}
void OnRoadListKey(std::int32_t key) {
  if (key == kDelete) DeleteSelectedItems(units::kRoadList);
}
void OnCommunityListKey(std::int32_t key) {
  if (key == kDelete) DeleteSelectedItems(units::kCommunityList);
}

void DeleteSelectedItems(const rt::UnitRef& list) {
  const rt::Array<std::int32_t> selected = cmd::ListBoxSelectedItems(list);
  const auto n = static_cast<std::int64_t>(selected.Count());
  for (std::int64_t i = 1; i <= n; ++i) cmd::ListBoxDeleteItem(list, selected.At(n + 1 - i));
}

}  // namespace quarrow::app
