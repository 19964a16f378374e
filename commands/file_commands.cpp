#include "commands/file_commands.h"

#include <windows.h>

#include <vector>

#include "commands/byte_set_conversion.h"
#include "conversions/command_arguments.h"
#include "commands/command_results.h"
#include "commands/file_replacement.h"

namespace quarrow {

void ToByteSetCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  const ValueBytes bytes = ValueBytes::Of(CommandArguments(count, args).At(0));
  ReturnByteSet(result, bytes.Bytes().data(), bytes.Size());
}

void WriteToFileCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  const CommandArguments arguments(count, args);
  // Every byte-set argument after the name, in order; arguments of other types add nothing.
  std::vector<ByteSetView> parts;
  for (std::int32_t i = 1; i < count; ++i) {
    const ValueRecord part = arguments.At(i);
    if (part.type == type::kByteSet) parts.push_back(ByteSetView::Of(part.Pointer()));
  }
  const DWORD error = ReplaceFileContents(arguments.Text(0), parts);
  ReturnLogical(result, error == ERROR_SUCCESS);
  // Last, so that nothing after it overwrites the reason the caller may want to show.
  ::SetLastError(error);
}

}  // namespace quarrow
