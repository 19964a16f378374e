#include "tests/win/engine_support.h"

#include "commands/core_library.h"

namespace quarrow::testing {

namespace {

TestProgram EngineTestProgram() {
  return {EngineTestForm(), {&kCoreLibrary, &kTestUnitLibrary}, {tag::kEmptySlot}};
}

// Any box (a runtime error's among them) is dismissed rather than waited for; the error then ends the program.
const bool installed = InstallRuntime(&EngineTestProgram, Boxes::kDismissed);

}  // namespace

}  // namespace quarrow::testing
