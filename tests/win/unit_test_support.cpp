#include "tests/win/unit_test_support.h"

#include "commands/core_library.h"

namespace quarrow::testing {

namespace {

static_assert(unit_tag::kCount <= kRecordingSlots);

TestProgram UnitTestProgram() { return {UnitTestForm(), {&kCoreLibrary, &kProviderTestLibrary}}; }

// Any box (a runtime error's among them) is dismissed rather than waited for.
const bool installed = InstallRuntime(&UnitTestProgram, Boxes::kDismissed);

}  // namespace

}  // namespace quarrow::testing
