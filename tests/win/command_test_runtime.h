// The runtime of a command test program, initialised once from a small program header that names the core
// library and carries a constant data block; and calls through the real service table.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "commands/core_commands.h"
#include "runtime/service_table.h"
#include "base/value.h"

namespace quarrow::testing {

// The constant data block: the empty text first, then "常量".
const char* ConstantEmptyText();
const char* ConstantLiteral();

// Calls a core command through service entry 3, the records one after another.
inline ValueRecord CallCommand(std::int32_t command, std::vector<ValueRecord> args) {
  return Services().call_core_command(kCoreCommands[command], static_cast<std::int32_t>(args.size()), args.data());
}

// The bytes of a text result, which is then freed. Checks that the result is typed text and that a non-empty
// text is a runtime-heap block of exactly its length plus the terminator.
std::string TakeText(const ValueRecord& result);

}  // namespace quarrow::testing
