// A test program's runtime: initialised once, before the first test, from a small program of the test's own (its
// form description and libraries, with the recording handlers as its code) or from a program's own header; then the windows and units it loads, found through its window map, and the unit types' own operations
// called directly.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/property_values.h"
#include "forms/window_map.h"
#include "base/byte_stream.h"
#include "base/program_header.h"
#include "runtime/runtime.h"
#include "tests/support/modal_watchdog.h"
#include "tests/support/recording_handlers.h"
#include "base/unit_interface.h"

namespace quarrow::testing {

struct TestProgram {
  Bytes form;  // empty: no windows
  std::vector<const LibraryDescriptor*> libraries;
  std::vector<int> empty_slots = {};  // handler slots that hold no routine
};

// Whether a watchdog of the whole program dismisses every box (a runtime error's among them) while the tests run,
// or the tests watch for the boxes they expect themselves.
enum class Boxes { kDismissed, kWatchedByTests };

// Register the environment that initialises the runtime; for use as a static initialiser (they return true).
// The maker runs when the tests start, not before, so that it may use what other files initialise statically.
// From then on the pumps hand this thread's messages to the runtime, as its message loop does.
bool InstallRuntime(TestProgram (*make)(), Boxes boxes);
// The header must live as long as the program.
bool InstallRuntime(const ProgramHeader& header, Boxes boxes);
// The program's watchdog (Boxes::kDismissed).
ModalWatchdog& RuntimeWatchdog();

forms::WindowMap& Windows();
HWND WindowOf(std::uint32_t window_id);
UnitObject* UnitObjectOf(std::uint32_t window_id, std::uint32_t unit_id);
HWND UnitWindow(std::uint32_t window_id, std::uint32_t unit_id);
bool Load(std::uint32_t window_id, bool modal = false, HWND owner = nullptr);
// Loads a window, brings it to the foreground and lets it paint; false when it did not become active.
bool LoadAndActivate(std::uint32_t window_id);
// Closes every window of the runtime, lets go of keys a test held and forgets the handlers' actions and answers.
void CloseWindows();

// A unit type's own SetProperty, called directly (the unit is not re-created): what it returned (1: re-create).
// Checks that it clears the out word.
std::int32_t SetDirectly(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index, RawValue value);
std::int32_t SetWordDirectly(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index,
                             std::uint32_t word);
// Bytes reach the unit as they are (a font of any length).
std::int32_t SetBytesDirectly(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index,
                              const std::vector<std::uint8_t>& bytes);
// GetProperty's bytes, and the unit's stored property block through its SaveProperties.
std::vector<std::uint8_t> GetBytesDirectly(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index);
std::vector<std::uint8_t> SavedBlock(std::uint32_t window_id, std::uint32_t unit_id);

// A unit type's own VisitTexts over a stored block, with a visitor that records each text it is handed (with 1 for
// a face name) and then lets `change` (when given) change it in place. *changed is the block given back, empty
// when none was.
using SeenTexts = std::vector<std::pair<std::string, int>>;
SeenTexts VisitTexts(UnitInterface type, const Bytes& block, void (*change)(char* text), Bytes* changed);

}  // namespace quarrow::testing
