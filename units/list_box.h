// ListBox ("列表框"): a "LISTBOX" control filled from its stored entries and item data whenever it is created.
// Entries that commands add or delete at run time live only in the control, so any re-creation drops them.
#pragma once

#include <cstdint>

#include "base/program_header.h"

namespace quarrow {

namespace list_box {
// Events.
inline constexpr std::int32_t kSelectionChanged = 0;
inline constexpr std::int32_t kDoubleClicked = 1;
}  // namespace list_box

// The unit-type interface routine.
UnitOperation ListBoxInterface(std::int32_t code);

}  // namespace quarrow
