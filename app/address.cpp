#include "app/address.h"

#include "app/constants.h"
#include "app/window_units.h"
#include "commands/core_facade.h"
#include "units/edit_box_properties.h"
#include "units/unit_properties.h"

namespace quarrow::app {

namespace {

rt::Text TextOf(const rt::UnitRef& box) { return rt::ReadText(box, PropertyIndex(edit_box::kText)); }

std::int32_t NumberIn(const rt::UnitRef& box) { return cmd::ToInteger(TextOf(box)); }

rt::Text RandomPaddedNumberFrom(const rt::UnitRef& min_box, const rt::UnitRef& max_box) {
  return RandomPaddedNumber(NumberIn(min_box), NumberIn(max_box));
}

// An entry of a name list, drawn with an index 0..n − 1.
rt::Text RandomEntryOf(const rt::UnitRef& list) {
  const std::int32_t count = cmd::ListBoxItemCount(list);
  const auto last = static_cast<std::int32_t>(count - 1.0);  // the real n − 1, truncated toward zero
  return cmd::ListBoxItemText(list, cmd::RandomNumber(0, last));
}

bool Blank(const rt::UnitRef& box) { return rt::Compare(cmd::TrimAllSpaces(TextOf(box)), kConstants.empty) == 0; }

rt::Text Join(const rt::Text& road, const rt::Text& number, const rt::Text& community, const rt::Text& building,
              const rt::Text& unit, const rt::Text& room) {
  const Constants& c = kConstants;
  return rt::Join({road, c.road_suffix, number, c.house_number_suffix, community, c.community_suffix, building,
                   c.building_suffix, unit, c.unit_suffix, room, c.room_suffix});
}

rt::Text MakeAutoAddress() {
  // The draws happen in this order, so that a seeded run is reproducible draw for draw.
  rt::Text road = RandomHanzi(2);
  rt::Text number = RandomPaddedNumber(3, 19);
  rt::Text community = RandomHanzi(1);
  rt::Text building = RandomPaddedNumber(10, 99);
  rt::Text unit = RandomPaddedNumber(1, 9);
  rt::Text room = RandomPaddedNumber(111, 999);
  return Join(road, number, community, building, unit, room);
}

rt::Text MakeManualAddress() {
  // Only the lists and the house-number pair are required; blank building, unit or room boxes count as 0.
  if (cmd::ListBoxItemCount(units::kRoadList) == 0 || cmd::ListBoxItemCount(units::kCommunityList) == 0 ||
      Blank(units::kHouseNumberMin) || Blank(units::kHouseNumberMax)) {
    return rt::Text();
  }
  rt::Text road = RandomEntryOf(units::kRoadList);
  rt::Text number = RandomPaddedNumberFrom(units::kHouseNumberMin, units::kHouseNumberMax);
  rt::Text community = RandomEntryOf(units::kCommunityList);
  rt::Text building = RandomPaddedNumberFrom(units::kBuildingMin, units::kBuildingMax);
  rt::Text unit = RandomPaddedNumberFrom(units::kUnitMin, units::kUnitMax);
  rt::Text room = RandomPaddedNumberFrom(units::kRoomMin, units::kRoomMax);
  return Join(road, number, community, building, unit, room);
}

}  // namespace

rt::Text MakeAddress(bool auto_mode) { return auto_mode ? MakeAutoAddress() : MakeManualAddress(); }

rt::Text RandomHanzi(std::int32_t count) {
  rt::Text text = rt::Text();
  for (std::int32_t i = 0; i < count; ++i) {
    // The lead byte is drawn before the trail byte; both land in B0..DA, where every pair is a character.
    const std::int32_t lead = cmd::RandomNumber(38, 80);
    const std::int32_t trail = cmd::RandomNumber(38, 80);
    text = rt::Join({text, cmd::CharFromCode(256 - lead), cmd::CharFromCode(256 - trail)});
  }
  return rt::ResultCopy(text);
}

rt::Text RandomPaddedNumber(std::int32_t low, std::int32_t high) {
  const std::int32_t r = cmd::RandomNumber(low, high);
  const std::int32_t width = cmd::TextLength(cmd::ToText(high));
  const std::int32_t length = cmd::TextLength(cmd::ToText(r));
  // A width below the length gives no zeros, so the number is never shortened.
  return rt::Join({cmd::RepeatText(width - length, kConstants.zero), cmd::ToText(r)});
}

}  // namespace quarrow::app
