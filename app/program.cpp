// The program image: its header and its start routine.
#include <float.h>

#include "runtime/facade.h"
#include "runtime/runtime.h"

namespace quarrow::app {
namespace {

constexpr std::uint32_t kMainWindow = 0x52010001;

// The application has nothing of its own to set up or tear down.
void InitialiseApplication() {}
void ExitApplication() {}

}  // namespace
}  // namespace quarrow::app

namespace quarrow::program {

extern const ProgramHeader kHeader = {
    3, 0, 0x000100D4, nullptr, nullptr, 0, nullptr, 0, 0, nullptr, 0, nullptr, nullptr,
};

std::int32_t StartRoutine() {
  using namespace quarrow::app;
  rt::InitialiseRuntime();
  _fpreset();
  InitialiseApplication();
  rt::RegisterExitRoutine(ExitApplication);
  rt::LoadStartWindow(kMainWindow);
  rt::RunMessageLoop();
  return 0;
}

}  // namespace quarrow::program
