// The form description of the tests of Label, ProcessBar and CommonDlg and of the commands that act on units and
// on the message loop: windows of core-library units built with the real writers, and event tables whose handler
// offsets are slot numbers × 8 ("tags") in the test program's handler table.
#pragma once

#include <array>
#include <cstdint>

#include "base/byte_stream.h"
#include "tests/support/form_builder.h"

namespace quarrow::testing {

namespace uc_window {
inline constexpr std::uint32_t kLabels = 0x52020001;
inline constexpr std::uint32_t kBars = 0x52020002;
inline constexpr std::uint32_t kDialogs = 0x52020003;
inline constexpr std::uint32_t kLists = 0x52020004;
inline constexpr std::uint32_t kEvents = 0x52020005;
inline constexpr std::uint32_t kBinding = 0x52020006;  // the test data provider and a label bound to it
}  // namespace uc_window

namespace uc_unit {
// Labels window.
inline constexpr std::uint32_t kCanvas = 0x16020001;    // 100 × 100, no caption, no border: for pixel checks
inline constexpr std::uint32_t kCaption = 0x16020002;   // 160 × 40, caption "标签", Feedback handler
inline constexpr std::uint32_t kStored = 0x16020003;    // loaded from a block with a gradient frame and caption
inline constexpr std::uint32_t kWide = 0x16020004;      // 200 × 60, no caption
inline constexpr std::uint32_t kMnemonic = 0x16020005;  // caption "名称(&N)"
inline constexpr std::uint32_t kAfterMnemonic = 0x16020006;  // a button after it in the tab order
inline constexpr std::uint32_t kBeforeMnemonic = 0x16020007; // a button before it, focused first
// Bars window.
inline constexpr std::uint32_t kBar = 0x16020011;       // the defaults
inline constexpr std::uint32_t kVerticalBar = 0x16020012;  // stored vertical, smooth, range 80..20, position 50
// Dialogs window.
inline constexpr std::uint32_t kSaveDialog = 0x16020021;  // save file, text files filter, default extension txt
inline constexpr std::uint32_t kPlainDialog = 0x16020022; // the defaults
// Lists window.
inline constexpr std::uint32_t kSingleList = 0x16020031;    // 甲 乙 丙, unsorted, nothing selected
inline constexpr std::uint32_t kSortedList = 0x16020032;    // b d f, sorted
inline constexpr std::uint32_t kExtendedList = 0x16020033;  // 一 二 三 四, MultiSelect (extended selection)
inline constexpr std::uint32_t kEmptyList = 0x16020034;
inline constexpr std::uint32_t kListLabel = 0x16020035;     // a label, to pass where a list box is expected
// Events window.
inline constexpr std::uint32_t kPoster = 0x16020041;   // a label whose Feedback runs the events tests' handler
inline constexpr std::uint32_t kOther = 0x16020042;    // a second label with a handler of its own
// Binding window.
inline constexpr std::uint32_t kProvider = 0x16020051;     // named "数据源"
inline constexpr std::uint32_t kBoundLabel = 0x16020052;   // shows the provider's column "名称"
}  // namespace uc_unit

namespace uc_tag {
inline constexpr int kCaptionFeedback = 0;
inline constexpr int kPosterFeedback = 1;
inline constexpr int kOtherFeedback = 2;
inline constexpr int kCount = 8;
}  // namespace uc_tag

// The whole stream.
Bytes UnitCommandForm();

}  // namespace quarrow::testing
