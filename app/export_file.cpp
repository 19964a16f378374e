#include "app/export_file.h"

#include "commands/core_facade.h"

namespace quarrow::app {

DWORD WriteExportFile(const char* path, ExportContent& content) {
  // A byte set counts its bytes in 32 bits; writing fewer bytes than the rows have would lose rows silently.
  if (content.TooLong()) return ERROR_FILE_TOO_LARGE;
  if (cmd::WriteToFile(path, content.ByteSet())) return ERROR_SUCCESS;
  const DWORD error = ::GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

}  // namespace quarrow::app
