#include "commands/core_commands.h"

#include "commands/dialog_and_event_commands.h"
#include "commands/file_commands.h"
#include "commands/list_box_commands.h"
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
    ListBoxItemCountCommand,
    ListBoxItemTextCommand,
    ListBoxAddItemCommand,
    ListBoxDeleteItemCommand,
    ListBoxSelectedItemsCommand,
    OpenDialogCommand,
    ProcessEventsCommand,
    UnitExistsCommand,
};

}  // namespace quarrow
