#include "commands/core_commands.h"

namespace quarrow {

// In command-number order. A command not yet built is an empty entry.
const CommandRoutine kCoreCommands[core_command::kCount] = {
    nullptr,  // SetRandomSeed
    nullptr,  // RandomNumber
    nullptr,  // ToInteger
    nullptr,  // ToText
    nullptr,  // NumberToFormattedText
    nullptr,  // TextLength
    nullptr,  // RepeatText
    nullptr,  // CharFromCode
    nullptr,  // TrimAllSpaces
    nullptr,  // ToByteSet
    nullptr,  // WriteToFile
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
