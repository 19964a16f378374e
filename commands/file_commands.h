// The core library's file commands, as the command table calls them.
#pragma once

#include <cstdint>

#include "base/value.h"

namespace quarrow {

// any value → byte set: its raw bytes.
void ToByteSetCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);
// text file name, byte set, [byte set …] → logical: true when the file now holds exactly the byte sets, one after
// the other. On false the file is as it was, and the thread's last error is the system's reason; on true it is
// ERROR_SUCCESS.
void WriteToFileCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);

}  // namespace quarrow
