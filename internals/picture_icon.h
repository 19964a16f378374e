// Icons and cursors from the images of ICO and CUR files.
#pragma once

#include <windows.h>

#include "internals/icon_directory.h"

namespace quarrow {

// The icon of a chosen ICO or CUR image at the image's own size, or null.
HICON IconFromImage(const IconImage& image);

}  // namespace quarrow
