// The program's start routine: it drives the runtime through the service table from initialisation to the end
// of the message loop.
#include <float.h>

#include "app/main_window.h"
#include "runtime/facade.h"
#include "runtime/runtime.h"

namespace quarrow::app {
namespace {

// The application has nothing of its own to set up or tear down.
void InitialiseApplication() {}
void ExitApplication() {}

}  // namespace
}  // namespace quarrow::app

namespace quarrow::program {

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
