#include "app/libraries.h"

#include "commands/core_library.h"
#include "commands/os_library.h"
#include "units/extended_library.h"

namespace quarrow::app {

const LibraryDescriptor* const kLibraries[kLibraryCount] = {&kCoreLibrary, &kExtendedLibrary, &kOsLibrary};

}  // namespace quarrow::app
