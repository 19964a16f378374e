#include "commands/text_commands.h"

#include <cstring>

#include "conversions/command_arguments.h"
#include "commands/command_results.h"
#include "commands/text_algorithms.h"

namespace quarrow {

void TextLengthCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  ReturnInt(result, TextLength(CommandArguments(count, args).Text(0)));
}

void RepeatTextCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  const CommandArguments arguments(count, args);
  const std::int32_t times = arguments.Integer(0).value_or(0);
  const char* piece = arguments.Text(1);
  const std::size_t piece_length = std::strlen(piece);
  // A text too long to allocate is the empty text, not a runtime error: the working buffer may fail.
  const std::optional<std::size_t> length = RepeatedLength(times, piece_length);
  if (!length || *length == 0) return ReturnTextBlock(result, nullptr);
  auto* block = static_cast<char*>(TheRuntime().Memory().TryAllocate(*length + 1));
  if (block != nullptr) WriteRepeated(block, times, std::string_view(piece, piece_length));
  ReturnTextBlock(result, block);
}

void CharFromCodeCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  ReturnText(result, CharFromCode(CommandArguments(count, args).Integer(0).value_or(0)));
}

void TrimAllSpacesCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  ReturnText(result, TrimAllSpaces(CommandArguments(count, args).Text(0)));
}

}  // namespace quarrow
