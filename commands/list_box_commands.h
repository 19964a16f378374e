// The core library's ListBox commands, as the command table calls them. They work on the live list-box control of
// a ListBox unit (its first argument) with the list-box messages; entries they add or delete live only in the
// control. Unusable indices give neutral results.
#pragma once

#include <cstdint>

#include "base/value.h"

namespace quarrow {

// ListBox → int: the number of entries.
void ListBoxItemCountCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);
// ListBox, int index → text of the entry; the empty text for an index outside 0..count − 1.
void ListBoxItemTextCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);
// ListBox, text, [int item data] → int: the index of the new entry (its sorted place in a sorted list), −1 when
// the control refused it.
void ListBoxAddItemCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);
// ListBox, int index → logical: false when there is no such entry.
void ListBoxDeleteItemCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);
// ListBox → int array (one dimension) of the selected indices in ascending order.
void ListBoxSelectedItemsCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);

}  // namespace quarrow
