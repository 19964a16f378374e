// The program's entry point. Linked into every program image as an object of its own, so that the program's
// header and start routine are what the runtime runs. It sits above the runtime's layer because it hands the
// runtime object the parts that live above it, the window map and the music, before anything else runs.
#include <windows.h>

#include "forms/runtime_parts.h"
#include "runtime/runtime.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  quarrow::Runtime& runtime = quarrow::TheRuntime();
  quarrow::forms::EquipRuntime(runtime);
  runtime.StartApplication(quarrow::program::kHeader);
  const std::int32_t result = quarrow::program::StartRoutine();
  if (result != 0) runtime.RunMessageLoop();
  // The program has ended: the exit processing runs now, and once more, empty, when the runtime object goes.
  runtime.Shutdown(0);
  return 0;
}
