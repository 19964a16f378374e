// The core library's text commands, as the command table calls them.
#pragma once

#include <cstdint>

#include "base/value.h"

namespace quarrow {

// text → int: its length in bytes.
void TextLengthCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);
// int count, text piece → text.
void RepeatTextCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);
// byte code → the one-byte text.
void CharFromCodeCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);
// text → text without half-width or full-width spaces.
void TrimAllSpacesCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);

}  // namespace quarrow
