// Replacing a file as a whole: the new bytes go to a temporary file in the target's folder, which takes the
// target's place only once every byte is written and flushed. Until then the target stays exactly as it was, and
// after a failure nothing of the attempt is left behind. A temporary that a process ended midway could not remove
// is removed by the next write to the same target. A name the system gives to a device (NUL, CON, COM1, a name
// that begins with \\.\ ) is written directly: a device keeps no contents that a failure could spoil, and a file
// in its place would not be the device. What is replaced, refused or cleared away is decided in
// commands/replacement_policy.h.
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
  // Ends the replacement at once, without a Commit: the temporary is removed and the target stays as it was.
  void Abandon();

 private:
  std::string target_;
  std::string temporary_;
  OwnedHandle file_;
  bool direct_ = false;  // a device, written as it is
};

// Writes the parts one after the other (empty ones add nothing) as the file at `path`, which is created or
// replaced. Returns ERROR_SUCCESS, or the system error code of the step that failed.
DWORD ReplaceFileContents(const char* path, std::span<const ByteSetView> parts);

}  // namespace quarrow
