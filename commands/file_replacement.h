// Replacing a file as a whole: the new bytes go to a temporary file in the target's folder, which takes the
// target's place only once every byte is written and flushed. Until then the target stays exactly as it was, and
// after a failure nothing of the attempt is left behind. A temporary that a process ended midway could not remove
// is removed by the next write to the same target.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string>

#include "base/handles.h"
#include "base/value.h"

namespace quarrow {

// One replacement, written piece by piece: Begin opens the temporary, Write adds bytes to it, Commit flushes it and
// puts it in the target's place. Each returns ERROR_SUCCESS or the system error code of the step that failed. A
// replacement that ends without a successful Commit removes its temporary and leaves the target as it was.
class FileReplacement {
 public:
  FileReplacement() = default;
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  ~FileReplacement();

  DWORD Begin(const char* path);
  DWORD Write(const void* bytes, std::size_t size);
  DWORD Commit();

 private:
  std::string target_;
  std::string temporary_;
  OwnedHandle file_;
};

// Writes the parts one after the other (empty ones add nothing) as the file at `path`, which is created or
// replaced. Returns ERROR_SUCCESS, or the system error code of the step that failed.
DWORD ReplaceFileContents(const char* path, std::span<const ByteSetView> parts);

}  // namespace quarrow
