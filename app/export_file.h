// The export's bytes written as a file, by WriteToFile, which reads them straight from the content's buffer.
#pragma once

#include <windows.h>

#include "app/export_content.h"

namespace quarrow::app {

// Creates or replaces the file at `path` so that it holds exactly the content's bytes. ERROR_SUCCESS, or the
// system's reason why it could not; the file is then as it was.
DWORD WriteExportFile(const char* path, ExportContent& content);

}  // namespace quarrow::app
