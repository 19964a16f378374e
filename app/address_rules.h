// The address rules, written once for the window and for the batch program: a template over an "operations"
// policy that draws numbers and makes texts. The window's policy calls the commands through the service table;
// the batch program's calls the same core algorithms directly. Platform-neutral: no <windows.h> here.
//
// A policy `Ops` offers:
//   Text                        the text type; Ops::Text() is the empty text
//   RandomNumber(low, high)     a draw in [low, high] as the RandomNumber command makes it
//   ToText(n), TextLength(t), RepeatText(count, piece), CharFromCode(code), Join({parts...})
//   ListCount(list), ListEntry(list, index)           a name list of the manual mode
//   Blank(box), ToInteger(box)                        a bound as typed: blank after trimming spaces, its number
#pragma once

#include <cstdint>
#include <optional>

#include "app/constants.h"

namespace quarrow::app::rules {

// The six components of an address, before their suffixes.
template <class Text>
struct AddressParts {
  Text road, number, community, building, unit, room;
};

// Where manual mode takes its names and bounds from: the window's list and edit boxes, or the batch program's
// lists and range texts.
template <class List, class Box>
struct ManualSource {
  List roads, communities;
  Box house_min, house_max, building_min, building_max, unit_min, unit_max, room_min, room_max;
};

// count random GB2312 characters; the empty text for a count below 1.
template <class Ops>
typename Ops::Text RandomHanzi(Ops& ops, std::int32_t count) {
  typename Ops::Text text{};
  for (std::int32_t i = 0; i < count; ++i) {
    // The lead byte is drawn before the trail byte; both land in B0..DA, where every pair is a character.
    const std::int32_t lead = ops.RandomNumber(38, 80);
    const std::int32_t trail = ops.RandomNumber(38, 80);
    text = ops.Join({text, ops.CharFromCode(256 - lead), ops.CharFromCode(256 - trail)});
  }
  return text;
}

// A random number in [low, high] as decimal text, zero-filled to the width of high as written.
template <class Ops>
typename Ops::Text RandomPaddedNumber(Ops& ops, std::int32_t low, std::int32_t high) {
  const std::int32_t r = ops.RandomNumber(low, high);
  const std::int32_t width = ops.TextLength(ops.ToText(high));
  const typename Ops::Text number = ops.ToText(r);
  // A width below the length gives no zeros, so the number is never shortened.
  return ops.Join({ops.RepeatText(width - ops.TextLength(number), kConstants.zero), number});
}

// The draws happen in this order, so that a seeded run is reproducible draw for draw.
template <class Ops>
AddressParts<typename Ops::Text> DrawAutoAddress(Ops& ops) {
  AddressParts<typename Ops::Text> parts;
  parts.road = RandomHanzi(ops, 2);
  parts.number = RandomPaddedNumber(ops, 3, 19);
  parts.community = RandomHanzi(ops, 1);
  parts.building = RandomPaddedNumber(ops, 10, 99);
  parts.unit = RandomPaddedNumber(ops, 1, 9);
  parts.room = RandomPaddedNumber(ops, 111, 999);
  return parts;
}

// An entry of a name list, drawn with an index 0..n − 1.
template <class Ops, class List>
typename Ops::Text RandomEntryOf(Ops& ops, const List& list) {
  const std::int32_t count = ops.ListCount(list);
  const auto last = static_cast<std::int32_t>(count - 1.0);  // the real n − 1, truncated toward zero
  return ops.ListEntry(list, ops.RandomNumber(0, last));
}

template <class Ops, class Box>
typename Ops::Text RandomPaddedNumberFrom(Ops& ops, const Box& min_box, const Box& max_box) {
  return RandomPaddedNumber(ops, ops.ToInteger(min_box), ops.ToInteger(max_box));
}

// Nothing when a name list is empty or a house-number bound is blank: such an address is the empty text. Only
// the lists and the house-number pair are required; blank building, unit or room bounds count as 0.
template <class Ops, class List, class Box>
std::optional<AddressParts<typename Ops::Text>> DrawManualAddress(Ops& ops, const ManualSource<List, Box>& from) {
  if (ops.ListCount(from.roads) == 0 || ops.ListCount(from.communities) == 0 || ops.Blank(from.house_min) ||
      ops.Blank(from.house_max)) {
    return std::nullopt;
  }
  AddressParts<typename Ops::Text> parts;
  parts.road = RandomEntryOf(ops, from.roads);
  parts.number = RandomPaddedNumberFrom(ops, from.house_min, from.house_max);
  parts.community = RandomEntryOf(ops, from.communities);
  parts.building = RandomPaddedNumberFrom(ops, from.building_min, from.building_max);
  parts.unit = RandomPaddedNumberFrom(ops, from.unit_min, from.unit_max);
  parts.room = RandomPaddedNumberFrom(ops, from.room_min, from.room_max);
  return parts;
}

// road + "路 " + number + "号 " + community + "小区 " + building + "号楼 " + unit + "单元 " + room + "室"
template <class Ops>
typename Ops::Text JoinAddress(Ops& ops, const AddressParts<typename Ops::Text>& p) {
  const Constants& c = kConstants;
  return ops.Join({p.road, c.road_suffix, p.number, c.house_number_suffix, p.community, c.community_suffix,
                   p.building, c.building_suffix, p.unit, c.unit_suffix, p.room, c.room_suffix});
}

}  // namespace quarrow::app::rules
