// The program's start routine: it drives the runtime through the service table from initialisation to the end
// of the message loop.
#include <float.h>

#include <windows.h>

#include "app/main_window.h"
#include "app/seed_switch.h"
#include "runtime/facade.h"
#include "runtime/runtime.h"

namespace quarrow::app {
namespace {

// A seed switch the program cannot use ends it before its window opens, with a box that says what the switch
// takes.
void InitialiseApplication() {
  if (!ReadSeedSwitch(::GetCommandLineA()).Refused()) return;
  ::MessageBoxA(nullptr, kSeedSwitchUsage, kProgramName, MB_OK | MB_ICONERROR);
  rt::EndProgram(kSeedSwitchRefusedExit);
}

// The application has nothing of its own to tear down.
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
