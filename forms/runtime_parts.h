// The parts of the runtime object that live above its layer: the window engine's map and the program's music. The
// runtime calls them through the narrow interfaces of base/; the program's entry point hands them over before
// anything else runs, and a test program that starts the runtime itself does so first.
#pragma once

namespace quarrow {
class Runtime;
}

namespace quarrow::forms {

class WindowMap;

// Gives the runtime a window map and the music, unless it has them already.
void EquipRuntime(Runtime& runtime);

// The window map the runtime was given, as the window engine itself uses it.
WindowMap& TheWindowMap();

}  // namespace quarrow::forms
