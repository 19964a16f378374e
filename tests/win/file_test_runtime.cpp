#include "tests/win/file_test_runtime.h"

#include "commands/core_library.h"
#include "commands/os_library.h"
#include "tests/support/runtime_fixture.h"

namespace quarrow::testing {

namespace {

// The OS interface library stands third in the program; the second place holds the extended interface library,
// which the file commands do not need.
const LibraryDescriptor* const kLibraries[] = {&kCoreLibrary, &kOsLibrary};

const char kConstants[] = "";

const ProgramHeader kFileTestHeader = {
    3, 0, 0, nullptr, kConstants, sizeof kConstants, nullptr, 0, 2, kLibraries, 0, nullptr, nullptr,
};

const bool installed = InstallRuntime(kFileTestHeader, Boxes::kWatchedByTests);

}  // namespace

}  // namespace quarrow::testing
