// The extended interface library's commands on the rows of a ListView unit, by command number. Argument 0 of
// each is the unit (window id, unit id; type 0x00020004); an omitted optional argument has the type code 0.
//
//   0 ListViewInsertItem     (unit, position?, text?, image?, state image?, indent?, item data?) → new row or -1
//   1 ListViewSetItemText    (unit, row, column?, text?)
//   2 ListViewItemCount      (unit) → rows
//   3 ListViewItemText       (unit, row, column?) → text (runtime memory; the empty text as null)
//   4 ListViewDeleteAllItems (unit)
#pragma once

#include <cstdint>

#include "base/program_header.h"

namespace quarrow {

namespace list_view_command {
enum : std::int32_t {
  kInsertItem = 0,
  kSetItemText = 1,
  kItemCount = 2,
  kItemText = 3,
  kDeleteAllItems = 4,
  kCount = 5,
};
}  // namespace list_view_command

extern const CommandRoutine kListViewCommands[list_view_command::kCount];

}  // namespace quarrow
