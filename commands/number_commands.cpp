#include "commands/number_commands.h"

#include <windows.h>

#include "conversions/command_arguments.h"
#include "commands/command_results.h"
#include "conversions/number_text.h"
#include "commands/random_numbers.h"
#include "conversions/value_conversion.h"

namespace quarrow {

void SetRandomSeedCommand(ValueRecord*, std::int32_t count, ValueRecord* args) {
  const CommandArguments arguments(count, args);
  const std::optional<std::int32_t> seed = arguments.Integer(0);
  ThreadRandomGenerator().Seed(seed ? static_cast<std::uint32_t>(*seed) : ProcessClockSeeds().Next(::GetTickCount()));
}

void RandomNumberCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  const CommandArguments arguments(count, args);
  ReturnInt(result, RandomNumber(ThreadRandomGenerator(), arguments.Integer(0), arguments.Integer(1)));
}

void ToIntegerCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  ReturnInt(result, ValueToInteger(CommandArguments(count, args).At(0)));
}

void ToTextCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  ReturnText(result, ValueToText(CommandArguments(count, args).At(0)));
}

void NumberToFormattedTextCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  const CommandArguments arguments(count, args);
  ReturnText(result, NumberToFormattedText(arguments.Number(0), arguments.Integer(1), arguments.Logical(2)));
}

}  // namespace quarrow
