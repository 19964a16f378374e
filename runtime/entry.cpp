// The program's entry point. Linked into every program image as an object of its own, so that the program's
// header and start routine are what the runtime runs.
#include <windows.h>

#include "runtime/runtime.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  quarrow::Runtime& runtime = quarrow::TheRuntime();
  runtime.StartApplication(quarrow::program::kHeader);
  const std::int32_t result = quarrow::program::StartRoutine();
  if (result != 0) runtime.RunMessageLoop();
  // The program has ended: the exit processing runs now, and once more, empty, when the runtime object goes.
  runtime.Shutdown(0);
  return 0;
}
