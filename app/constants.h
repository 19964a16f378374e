// The application's constant data block: its literal texts and numbers, packed without alignment as the program
// header describes them. Texts taken from here belong to no one: the runtime ignores a free of them and copies
// them before resizing.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quarrow::app {

#pragma pack(push, 1)
struct Constants {
  char empty[1];
  double hundred;
  char road_suffix[sizeof("路 ")];
  char house_number_suffix[sizeof("号 ")];
  char community_suffix[sizeof("小区 ")];
  char building_suffix[sizeof("号楼 ")];
  char unit_suffix[sizeof("单元 ")];
  char room_suffix[sizeof("室")];
  char zero[sizeof("0")];
  char percent[sizeof("%")];
  char line_break[sizeof("\r\n")];
  char text_extension[sizeof("txt")];
  double one;
  std::int32_t empty_array[2];  // one dimension of size 0
};
#pragma pack(pop)

extern const Constants kConstants;

}  // namespace quarrow::app
