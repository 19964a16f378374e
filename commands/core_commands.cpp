#include "commands/core_commands.h"

#include "commands/file_commands.h"
#include "commands/number_commands.h"
#include "commands/text_commands.h"

namespace quarrow {

// In command-number order. A command not yet built is an empty entry.
const CommandRoutine kCoreCommands[core_command::kCount] = {
    SetRandomSeedCommand,
    RandomNumberCommand,
    ToIntegerCommand,
    ToTextCommand,
    NumberToFormattedTextCommand,
    TextLengthCommand,
    RepeatTextCommand,
    CharFromCodeCommand,
    TrimAllSpacesCommand,
    ToByteSetCommand,
    WriteToFileCommand,
    nullptr,  // ListBoxItemCount
    nullptr,  // ListBoxItemText
    nullptr,  // ListBoxAddItem
    nullptr,  // ListBoxDeleteItem
    nullptr,  // ListBoxSelectedItems
    nullptr,  // OpenDialog
    nullptr,  // ProcessEvents
    nullptr,  // UnitExists
};

}  // namespace quarrow
