// The core library's number and random-number commands, as the command table calls them.
#pragma once

#include <cstdint>

#include "base/value.h"

namespace quarrow {

// [int seed]: the calling thread's generator takes the seed, or without one a seed from the clock.
void SetRandomSeedCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);
// [int low], [int high] → int.
void RandomNumberCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);
// any value → int.
void ToIntegerCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);
// any value → text.
void ToTextCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);
// double value, [int decimals], [logical thousands] → text.
void NumberToFormattedTextCommand(ValueRecord* result, std::int32_t count, ValueRecord* args);

}  // namespace quarrow
