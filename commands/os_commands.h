// The OS interface library's one command and its command table.
#pragma once

#include <cstdint>

#include "base/program_header.h"
#include "base/value.h"

namespace quarrow {

namespace os_command {
enum : std::int32_t {
  kSpecialFolderPath = 0,
  kCount = 1,
};
}  // namespace os_command

// int folder number → text: the folder's path ending in "\", or the empty text.
void SpecialFolderPathCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);

extern const CommandRoutine kOsCommands[os_command::kCount];

}  // namespace quarrow
