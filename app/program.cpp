// The program image: its header and its start routine.
#include <float.h>

#include "app/constants.h"
#include "app/handlers.h"
#include "app/main_window.h"
#include "commands/core_library.h"
#include "commands/os_library.h"
#include "runtime/facade.h"
#include "runtime/runtime.h"
#include "units/extended_library.h"

namespace quarrow::app {
namespace {

#include "main_window_form.inc"

// Library numbers are positions here: 1 core, 2 extended interface, 3 OS interface.
const LibraryDescriptor* const kLibraries[] = {&kCoreLibrary, &kExtendedLibrary, &kOsLibrary};

// The application has nothing of its own to set up or tear down.
void InitialiseApplication() {}
void ExitApplication() {}

}  // namespace
}  // namespace quarrow::app

namespace quarrow::program {

extern const ProgramHeader kHeader = {
    3,
    0,
    0x000100D4,
    app::kHandlerTable,
    &app::kConstants,
    sizeof app::kConstants,
    app::kMainWindowFormData,
    sizeof app::kMainWindowFormData,
    sizeof app::kLibraries / sizeof app::kLibraries[0],
    app::kLibraries,
    0,
    nullptr,
    nullptr,
};

std::int32_t StartRoutine() {
  using namespace quarrow::app;
  rt::InitialiseRuntime();
  _fpreset();
  InitialiseApplication();
  rt::RegisterExitRoutine(ExitApplication);
  rt::LoadStartWindow(kMainWindowId);
  rt::RunMessageLoop();
  return 0;
}

}  // namespace quarrow::program
