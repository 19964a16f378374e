// The core library's commands, by command number: the positions in its command table.
#pragma once

#include <cstdint>

#include "base/program_header.h"

namespace quarrow {

namespace core_command {
enum : std::int32_t {
  kSetRandomSeed = 0,
  kRandomNumber = 1,
  kToInteger = 2,
  kToText = 3,
  kNumberToFormattedText = 4,
  kTextLength = 5,
  kRepeatText = 6,
  kCharFromCode = 7,
  kTrimAllSpaces = 8,
  kToByteSet = 9,
  kWriteToFile = 10,
  kListBoxItemCount = 11,
  kListBoxItemText = 12,
  kListBoxAddItem = 13,
  kListBoxDeleteItem = 14,
  kListBoxSelectedItems = 15,
  kOpenDialog = 16,
  kProcessEvents = 17,
  kUnitExists = 18,
  kCount = 19,
};
}  // namespace core_command

extern const CommandRoutine kCoreCommands[core_command::kCount];

}  // namespace quarrow
