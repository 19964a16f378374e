#include "app/export_action.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <optional>

#include "app/constants.h"
#include "app/export_content.h"
#include "app/export_failure.h"
#include "app/export_file.h"
#include "app/export_units.h"
#include "commands/core_facade.h"
#include "commands/os_facade.h"
#include "runtime/facade.h"
#include "units/list_view_facade.h"

namespace quarrow::app {

namespace {

using export_units::kResultList;
using export_units::kSaveDialog;

// The whole content is read before the dialog opens: the file holds the rows as they were at the click, even
// while the generate action is still adding rows underneath.
ExportContent ReadRows() {
  const std::int32_t rows = cmd::ListViewItemCount(kResultList);
  ExportContent content(rows > 0 ? static_cast<std::size_t>(rows) : 0);
  for (std::int32_t row = 0; row < rows; ++row) {
    const rt::Text number = cmd::ListViewItemText(kResultList, row, export_units::kNumberColumn);
    const rt::Text address = cmd::ListViewItemText(kResultList, row, export_units::kAddressColumn);
    content.AddRow(number.View(), address.View());
  }
  return content;
}

// Kind, extension and folder are set anew each time; the file name stays, so the next export proposes it again.
void PrepareSaveDialog() {
  rt::WriteInt(kSaveDialog, export_units::save_dialog::kDialogType, common_dlg::kSaveFile);
  rt::WriteText(kSaveDialog, export_units::save_dialog::kDefaultExt, kConstants.text_extension);
  const rt::Text desktop = cmd::SpecialFolderPath(export_units::kDesktopFolder);
  rt::WriteText(kSaveDialog, export_units::save_dialog::kInitialDir, desktop.CStr());
}

// The content, or none when memory ran out while it was built (what was built of it is freed again).
std::optional<ExportContent> TryReadRows() {
  try {
    return ReadRows();
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

DWORD TryWrite(const char* path, ExportContent& content) {
  try {
    // The content is already laid out as a byte set: the write reads it where it is, with no copy of the whole.
    return WriteExportFile(path, content);
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

// The main window owns the failure box: the active window may be another of the program's, or none at all while
// the program is in the background.
HWND MainWindow() { return reinterpret_cast<HWND>(rt::PlatformWindow(kMainWindowId)); }

}  // namespace

void ExportResults() {
  std::optional<ExportContent> content = TryReadRows();
  PrepareSaveDialog();
  if (!cmd::OpenDialog(kSaveDialog)) return;  // cancelled: nothing is written

  // Memory that runs out while the content is built or written fails the export as a write fails: the user has
  // chosen the file and is told that it was not written.
  const rt::Text path = rt::ReadText(kSaveDialog, export_units::save_dialog::kFileName);
  const DWORD error = content ? TryWrite(path.CStr(), *content) : ERROR_NOT_ENOUGH_MEMORY;
  if (error != ERROR_SUCCESS) ShowWriteFailure(MainWindow(), path.CStr(), error);
}

}  // namespace quarrow::app
