// Replacing a file as a whole: the new bytes go to a temporary file in the target's folder, which takes the
// target's place only once every byte is written and flushed. Until then the target stays exactly as it was, and
// after a failure nothing of the attempt is left behind. A temporary that a process ended midway could not remove
// is removed by the next write to the same target.
#pragma once

#include <windows.h>

#include <span>

#include "base/value.h"

namespace quarrow {

// Writes the parts one after the other (empty ones add nothing) as the file at `path`, which is created or
// replaced. Returns ERROR_SUCCESS, or the system error code of the step that failed.
DWORD ReplaceFileContents(const char* path, std::span<const ByteSetView> parts);

}  // namespace quarrow
