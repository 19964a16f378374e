// The form description the window engine's tests load: windows built with the real writer, units of the test
// library, and event tables whose handler offsets are slot numbers × 8 ("tags") in the test program's own handler
// table.
#pragma once

#include <cstdint>

#include "base/byte_stream.h"
#include "tests/support/form_builder.h"
#include "tests/win/test_units.h"

namespace quarrow::testing {

namespace test_window {
inline constexpr std::uint32_t kMain = 0x52010001;        // border 2, control box, centred; units A to F
inline constexpr std::uint32_t kEscapeOff = 0x52010002;   // Escape closes off
inline constexpr std::uint32_t kKeepOpen = 0x52010003;    // handlers for events 12, 1 and 2
inline constexpr std::uint32_t kFails = 0x52010004;       // a unit whose creation fails
inline constexpr std::uint32_t kMenu = 0x52010005;        // two menu items, the second hidden
inline constexpr std::uint32_t kNoTaskBar = 0x52010006;   // show in task bar off
inline constexpr std::uint32_t kModal = 0x52010007;
inline constexpr std::uint32_t kDefault = 0x52010008;     // a box, a default button and a plain button
inline constexpr std::uint32_t kMnemonic = 0x52010009;    // a caption label, boxes and a check box
inline constexpr std::uint32_t kRadio = 0x5201000A;       // three radio-style units
inline constexpr std::uint32_t kBadVersion = 0x5201000B;  // a window block of version 7
inline constexpr std::uint32_t kClosesItself = 0x5201000C;  // its created handler (tag 41) closes it
inline constexpr std::uint32_t kMute = 0x5201000D;        // a unit of a type that cannot raise events
inline constexpr std::uint32_t kHidden = 0x5201000E;      // visible flag off
inline constexpr std::uint32_t kBorderBase = 0x52010010;  // + n: border style n (0 to 6)
inline constexpr std::uint32_t kNoCaption = 0x52010017;   // border 2, no control box, empty title
inline constexpr std::uint32_t kDraggable = 0x52010018;   // dragged by its client area, at its stored place
inline constexpr std::uint32_t kMinimised = 0x52010019;   // start position 2
inline constexpr std::uint32_t kMaximised = 0x5201001A;   // start position 3, resizable
inline constexpr std::uint32_t kLayout = 0x5201001B;      // containers, a page list, state flags; own class
inline constexpr std::uint32_t kLifecycle = 0x5201001C;   // handlers for events 5, 6, 10 and 11
inline constexpr std::uint32_t kTranslated = 0x5201001D;  // a unit of a pre-translating type and a box
inline constexpr std::uint32_t kReloads = 0x5201001E;     // its last unit closes and reloads it on 0x8076
inline constexpr std::uint32_t kLast = kReloads;
}  // namespace test_window

namespace test_unit {
inline constexpr std::uint32_t kA = 0x16010001;  // tab order 1
inline constexpr std::uint32_t kB = 0x16010002;  // tab order 0
inline constexpr std::uint32_t kC = 0x16010003;  // tab order 1
inline constexpr std::uint32_t kD = 0x16010004;  // tab order 0, its got-focus handler is A's
inline constexpr std::uint32_t kE = 0x16010005;  // tab order 5, events from A
inline constexpr std::uint32_t kF = 0x16010006;  // a button, tab order 6, event source A (another type)
inline constexpr std::uint32_t kBox = 0x16010011;
inline constexpr std::uint32_t kDefaultButton = 0x16010012;
inline constexpr std::uint32_t kPlainButton = 0x16010013;
inline constexpr std::uint32_t kLabel = 0x16010014;
inline constexpr std::uint32_t kBoxAfterLabel = 0x16010015;
inline constexpr std::uint32_t kCheck = 0x16010016;
inline constexpr std::uint32_t kRadio1 = 0x16010021;
inline constexpr std::uint32_t kRadio2 = 0x16010022;
inline constexpr std::uint32_t kRadio3 = 0x16010023;
inline constexpr std::uint32_t kMenuItem = 0x26010031;
inline constexpr std::uint32_t kHiddenMenuItem = 0x26010032;
inline constexpr std::uint32_t kMuteUnit = 0x16010041;
inline constexpr std::uint32_t kBroken = 0x16010042;
inline constexpr std::uint32_t kMnemonicButton = 0x16010017;
inline constexpr std::uint32_t kMnemonicRadio = 0x16010018;
inline constexpr std::uint32_t kContainer = 0x16010051;   // visible, pages: kOnFirstPage | kOnSecondPage
inline constexpr std::uint32_t kOnFirstPage = 0x16010052;
inline constexpr std::uint32_t kOnSecondPage = 0x16010053;
inline constexpr std::uint32_t kInvisible = 0x16010054;   // visible flag off
inline constexpr std::uint32_t kDisabled = 0x16010055;    // disabled, no tab stop
inline constexpr std::uint32_t kUnshown = 0x16010056;     // visible flag on, of a type never shown by the load
inline constexpr std::uint32_t kTranslator = 0x16010061;
inline constexpr std::uint32_t kReloader = 0x16010071;
}  // namespace test_unit

// Handler tags (the slot numbers the form names).
namespace tag {
inline constexpr int kCreated = 0, kClosing = 1, kDestroyed = 2, kMoved = 3, kResized = 4, kActivated = 5,
                     kIdle = 7, kFirstActivated = 8, kShown = 10, kAskClose = 12;
inline constexpr int kKeyDown = 20, kKeyUp = 21, kCharacter = 22, kLeftDown = 23, kWheel = 24, kGotFocus = 25,
                     kOwnKeyDown = 26, kLeftUp = 27;
inline constexpr int kEscapeOffAskClose = 30, kKeepAskClose = 31, kKeepClosing = 32, kKeepDestroyed = 33;
inline constexpr int kMenuItem = 34, kDefaultClick = 35, kPlainClick = 36, kCheckClick = 37;
inline constexpr int kRadio1 = 38, kRadio2 = 39, kRadio3 = 40, kClosesItselfCreated = 41;
inline constexpr int kLifeActivated = 42, kLifeDeactivated = 43, kLifeShown = 44, kLifeHidden = 45;
inline constexpr int kMnemonicButton = 46, kMnemonicRadio = 47, kTranslatedKeyDown = 48, kTranslatedAskClose = 49;
inline constexpr int kRightDown = 50, kRightUp = 51, kDoubleClick = 52, kMouseMove = 53;
inline constexpr int kEmptySlot = 55;  // a slot of the handler table that holds no routine
inline constexpr int kCount = 56;
}  // namespace tag

// The whole stream.
Bytes EngineTestForm();

}  // namespace quarrow::testing
