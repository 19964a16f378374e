#include "app/address.h"

#include "app/address_rules.h"
#include "app/constants.h"
#include "app/window_units.h"
#include "commands/core_facade.h"
#include "units/edit_box_properties.h"
#include "units/unit_properties.h"

namespace quarrow::app {

namespace {

rt::Text TextOf(const rt::UnitRef& box) { return rt::ReadText(box, PropertyIndex(edit_box::kText)); }

// The window's side of the address rules: every draw and every text goes through the service table, and the
// names and bounds are read from the list and edit boxes afresh for every address.
struct WindowOperations {
  using Text = rt::Text;

  std::int32_t RandomNumber(std::int32_t low, std::int32_t high) { return cmd::RandomNumber(low, high); }
  Text ToText(std::int32_t value) { return cmd::ToText(value); }
  std::int32_t TextLength(const Text& text) { return cmd::TextLength(text); }
  Text RepeatText(std::int32_t count, const char* piece) { return cmd::RepeatText(count, piece); }
  Text CharFromCode(std::int32_t code) { return cmd::CharFromCode(code); }
  Text Join(std::initializer_list<rt::TextPart> parts) { return rt::Join(parts); }

  std::int32_t ListCount(const rt::UnitRef& list) { return cmd::ListBoxItemCount(list); }
  Text ListEntry(const rt::UnitRef& list, std::int32_t index) { return cmd::ListBoxItemText(list, index); }

  bool Blank(const rt::UnitRef& box) { return rt::Compare(cmd::TrimAllSpaces(TextOf(box)), kConstants.empty) == 0; }
  std::int32_t ToInteger(const rt::UnitRef& box) { return cmd::ToInteger(TextOf(box)); }
};

constexpr rules::ManualSource<rt::UnitRef, rt::UnitRef> kManualBoxes = {
    units::kRoadList,     units::kCommunityList, units::kHouseNumberMin, units::kHouseNumberMax,
    units::kBuildingMin,  units::kBuildingMax,   units::kUnitMin,        units::kUnitMax,
    units::kRoomMin,      units::kRoomMax};

}  // namespace

rt::Text MakeAddress(bool auto_mode) {
  WindowOperations ops;
  if (auto_mode) return rules::JoinAddress(ops, rules::DrawAutoAddress(ops));
  const auto parts = rules::DrawManualAddress(ops, kManualBoxes);
  return parts ? rules::JoinAddress(ops, *parts) : rt::Text();
}

rt::Text RandomHanzi(std::int32_t count) {
  WindowOperations ops;
  return rt::ResultCopy(rules::RandomHanzi(ops, count));
}

rt::Text RandomPaddedNumber(std::int32_t low, std::int32_t high) {
  WindowOperations ops;
  return rules::RandomPaddedNumber(ops, low, high);
}

}  // namespace quarrow::app
