// The form description that the ListView tests load: list views of the extended interface library on windows of
// their own, built with the real writers, and event tables whose handler offsets are tags × 8 in the test
// program's handler table.
#pragma once

#include <array>
#include <cstdint>

#include "base/byte_stream.h"

namespace quarrow::testing {

namespace list_window {
inline constexpr std::uint32_t kResult = 0x52010001;  // the application's result list, and a button
inline constexpr std::uint32_t kChecks = 0x52010002;  // a list with check boxes and one without
inline constexpr std::uint32_t kEdit = 0x52010003;    // editable labels
inline constexpr std::uint32_t kStored = 0x52010004;  // stored rows with tips; a multiple-selection list
inline constexpr std::uint32_t kIcons = 0x52010005;   // large icons
}  // namespace list_window

namespace list_unit {
inline constexpr std::uint32_t kResultList = 0x1601006B;  // the application's own block
inline constexpr std::uint32_t kButton = 0x16010070;      // a unit of another type
inline constexpr std::uint32_t kCheckList = 0x16010071;   // check boxes, rows 甲 乙 丙
inline constexpr std::uint32_t kPlainList = 0x16010072;   // no check boxes, rows 子 丑
inline constexpr std::uint32_t kEditList = 0x16010073;    // editable labels, rows 甲 乙
inline constexpr std::uint32_t kStoredList = 0x16010074;  // stored rows, see kStoredRows
inline constexpr std::uint32_t kMultiList = 0x16010075;   // multiple selection, rows 一 二 三
inline constexpr std::uint32_t kIconList = 0x16010076;    // large icons
}  // namespace list_unit

namespace list_tag {
inline constexpr int kResultGotFocus = 0, kResultLostFocus = 1, kResultCurrentChanged = 2, kResultColumnClicked = 3,
                     kResultClicked = 4;
inline constexpr int kCheckClicked = 5, kCheckRightClicked = 6, kCheckStateChanged = 7, kPlainStateChanged = 8;
inline constexpr int kEditStarting = 9, kEditEnded = 10;
inline constexpr int kIdle = 11;  // the result window's idle event
inline constexpr int kCheckActivated = 12, kCheckHotItem = 13;
inline constexpr int kCount = 16;
}  // namespace list_tag

// The whole stream.
Bytes ListViewTestForm();
// The application's stored block for its result list.
Bytes ApplicationResultListBlock();

}  // namespace quarrow::testing
