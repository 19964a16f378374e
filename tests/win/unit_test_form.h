// The form description the unit types' tests load: windows of core-library units built with the real writers
// (the form writer and each unit type's property block codec), and event tables whose handler offsets are slot
// numbers × 8 ("tags") in the test program's handler table.
#pragma once

#include <array>
#include <cstdint>

#include "base/byte_stream.h"
#include "base/program_header.h"
#include "tests/support/form_builder.h"

namespace quarrow::testing {

namespace unit_window {
inline constexpr std::uint32_t kButtons = 0x52010001;
inline constexpr std::uint32_t kEdits = 0x52010002;
inline constexpr std::uint32_t kChecks = 0x52010003;
inline constexpr std::uint32_t kGroups = 0x52010004;
inline constexpr std::uint32_t kLists = 0x52010005;
inline constexpr std::uint32_t kBinding = 0x52010006;   // a test data provider and units bound to it
inline constexpr std::uint32_t kBadBlock = 0x52010007;  // a button whose property block has a later version
}  // namespace unit_window

namespace unit_id {
// Buttons window.
inline constexpr std::uint32_t kButton = 0x16010001;         // Clicked, focus events
inline constexpr std::uint32_t kDefaultButton = 0x16010002;  // ButtonType 1
inline constexpr std::uint32_t kPictureButton = 0x16010003;  // picture bytes that decode to nothing
// Edits window.
inline constexpr std::uint32_t kEdit = 0x16010011;       // Changed, focus events
inline constexpr std::uint32_t kOtherEdit = 0x16010012;  // takes the focus away
inline constexpr std::uint32_t kLowEdit = 0x16010013;    // created 5 pixels high
inline constexpr std::uint32_t kAutoEdit = 0x16010014;   // automatic adjuster 0..100, text "100"
inline constexpr std::uint32_t kManualEdit = 0x16010015; // manual adjuster
inline constexpr std::uint32_t kMultiEdit = 0x16010016;  // multi-line
// Checks window.
inline constexpr std::uint32_t kCheck = 0x16010021;
inline constexpr std::uint32_t kCheckedCheck = 0x16010022;  // stored checked
// Groups window.
inline constexpr std::uint32_t kGroup = 0x16010031;
inline constexpr std::uint32_t kGroupButton = 0x16010032;
inline constexpr std::uint32_t kGroupCheck = 0x16010033;
inline constexpr std::uint32_t kGroupEdit = 0x16010034;
inline constexpr std::uint32_t kGroupList = 0x16010035;
inline constexpr std::uint32_t kGroupAdjusted = 0x16010036;  // manual adjuster
// Lists window.
inline constexpr std::uint32_t kList = 0x16010041;       // 甲 乙 丙, item data {7}
inline constexpr std::uint32_t kMultiList = 0x16010042;  // multi-selection
inline constexpr std::uint32_t kOddList = 0x16010043;    // a block with RowSpacing -40 and Selection 9
// Binding window.
inline constexpr std::uint32_t kProvider = 0x16010051;   // named "数据源"
inline constexpr std::uint32_t kBoundEdit = 0x16010052;
inline constexpr std::uint32_t kBoundCheck = 0x16010053;
inline constexpr std::uint32_t kBoundList = 0x16010054;
inline constexpr std::uint32_t kUnboundEdit = 0x16010055;  // names a source that is no provider
// Bad block window.
inline constexpr std::uint32_t kBadButton = 0x16010061;
}  // namespace unit_id

namespace unit_tag {
inline constexpr int kButtonClicked = 0, kDefaultClicked = 1, kButtonGotFocus = 2, kButtonLostFocus = 3;
inline constexpr int kEditChanged = 4, kEditGotFocus = 5, kEditLostFocus = 6, kAutoChanged = 7,
                     kAdjusterPressed = 8, kOtherEditChanged = 9, kMultiChanged = 10;
inline constexpr int kCheckClicked = 11, kCheckGotFocus = 12, kCheckedCheckClicked = 13;
inline constexpr int kGroupButtonClicked = 14, kGroupCheckClicked = 15, kGroupEditChanged = 16,
                     kGroupListSelectionChanged = 17;
inline constexpr int kSelectionChanged = 18, kDoubleClicked = 19, kListGotFocus = 20, kListLostFocus = 21,
                     kMultiSelectionChanged = 22;
inline constexpr int kBoundEditChanged = 23, kBoundListSelectionChanged = 24, kBoundCheckClicked = 25;
inline constexpr int kGroupAdjusterPressed = 26;
inline constexpr int kCount = 32;
}  // namespace unit_tag

// The test provider's library (library 2 of the test program): one unit type with the data-provider flag.
extern const LibraryDescriptor kProviderTestLibrary;

// The whole stream.
Bytes UnitTestForm();

}  // namespace quarrow::testing
