// A small library of unit types for the window engine's tests: real Win32 child controls behind the unit interface,
// each logging its creation, so that tests can watch creation order, control ids, focus order, default buttons,
// mnemonics and re-creation on live windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/byte_stream.h"
#include "base/program_header.h"

namespace quarrow::testing {

// Type numbers in the test library (library 2 of the test programs).
namespace test_type {
inline constexpr std::uint32_t kBox = 1;     // an EDIT control; raises events
inline constexpr std::uint32_t kButton = 2;  // a push button that can be the default button
inline constexpr std::uint32_t kRadio = 3;   // a radio-style button
inline constexpr std::uint32_t kCheck = 4;   // a check box
inline constexpr std::uint32_t kMute = 5;    // a static control of a type that cannot raise events
inline constexpr std::uint32_t kBroken = 6;  // creation always fails
inline constexpr std::uint32_t kLabel = 7;   // a caption unit that takes no focus
inline constexpr std::uint32_t kUnshown = 8;     // a static control of a type never shown by the load
inline constexpr std::uint32_t kTranslator = 9;  // an EDIT control whose type pre-translates its window's messages
inline constexpr std::uint32_t kReloader = 10;   // an EDIT control that can close and reload its window on 0x8076
inline constexpr std::uint32_t kCount = 10;
}  // namespace test_type

inline constexpr std::uint32_t kTestLibraryNumber = 2;
inline constexpr DataType TestType(std::uint32_t number) { return (kTestLibraryNumber << 16) + number; }

extern const LibraryDescriptor kTestUnitLibrary;

// The stored property block of the test types: version 1, the caption (counted text), the default-button flag.
Bytes TestUnitBlock(const std::string& caption, bool default_button = false);

// Every unit created so far: (unit id, control id), in creation order.
std::vector<std::pair<std::uint32_t, std::uint32_t>>& CreatedUnits();

// The unit messages 0x806F and 0x8076 as the units received them: (unit id, message), in order.
std::vector<std::pair<std::uint32_t, std::uint32_t>>& UnitMessages();

// The key-down messages offered to the translator type's pre-translation: the virtual keys, in order. It consumes
// Escape and lets everything else go on.
std::vector<std::uint32_t>& TranslatedKeys();

// When set, the next reloader unit told that its window is loaded (0x8076) clears it, closes its window and loads
// it again.
bool& ReloadOnWindowLoaded();
// When set, the reloader unit destroys its window when told that all units exist (once).
bool& DestroyOnAllCreated();

// Raises an event the way a unit does, through the test library's link to the runtime (code 2008); the returned
// flag and value come back in *returned and *value.
bool RaiseTestEvent(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t event, std::int32_t* value = nullptr,
                    bool* returned = nullptr);

}  // namespace quarrow::testing
