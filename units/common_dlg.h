// CommonDlg ("通用对话框"): a unit without a visible control that holds the settings of a system dialog — open
// file, save file, font — or of a help request, and shows it when the program asks (the OpenDialog command).
// Its window, of the class "_ZR_CommonDlg", is never shown in a running program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/program_header.h"
#include "base/unit_interface.h"

namespace quarrow {

namespace common_dlg {
inline constexpr char kWindowClass[] = "_ZR_CommonDlg";

// What WinHelpA is asked for a HelpCommand (0 contents, 1 topic, 2 pop-up topic, 3 force file, 4 help on help,
// 5 close help) and HelpContext: the command, its data argument, and whether it names the help file (commands 0
// to 3, which need the file to exist).
struct HelpCall {
  UINT command = HELP_FINDER;
  ULONG_PTR data = 0;
  bool names_file = true;
};
HelpCall HelpCallFor(std::int32_t help_command, std::int32_t help_context);

// The help file a CommonDlg without HelpFile uses: the program's path with the extension "hlp".
std::string DefaultHelpFile(const std::string& program_directory_slash, const std::string& program_file_name);
}  // namespace common_dlg

// The unit-type interface routine.
UnitOperation CommonDlgInterface(std::int32_t code);

// Shows the dialog that the unit's DialogType selects, modally over the program's active window, and waits for the
// user. True when the user confirmed it (its results are then in the unit's properties) or the help request was
// carried out; false when it was cancelled, could not be shown, or the object is no CommonDlg.
bool ShowDialog(UnitObject* unit);

}  // namespace quarrow
