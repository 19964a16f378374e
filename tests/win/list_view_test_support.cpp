#include "tests/win/list_view_test_support.h"

#include <gtest/gtest.h>

#include "commands/core_library.h"
#include "units/extended_library.h"
#include "units/list_view.h"

namespace quarrow::testing {

namespace {

static_assert(list_tag::kCount <= kRecordingSlots);

TestProgram ListViewTestProgram() { return {ListViewTestForm(), {&kCoreLibrary, &kExtendedLibrary}}; }

// Any box (a runtime error's among them) is dismissed rather than waited for.
const bool installed = InstallRuntime(&ListViewTestProgram, Boxes::kDismissed);

}  // namespace

rt::UnitRef ListRef(std::uint32_t window_id, std::uint32_t unit_id) {
  return {list_view::kUnitType, window_id, unit_id};
}

UnitInterface ListViewTypeInterface() {
  const UnitTypeEntry* entry = TheRuntime().FindUnitType(list_view::kUnitType);
  return entry ? entry->unit_interface : nullptr;
}

ListViewProperties SavedListProperties(std::uint32_t window_id, std::uint32_t unit_id) {
  const std::vector<std::uint8_t> block = SavedBlock(window_id, unit_id);
  ListViewProperties properties;
  EXPECT_FALSE(block.empty());
  EXPECT_TRUE(properties.Load(block));
  return properties;
}

std::int32_t RowCount(HWND list) { return static_cast<std::int32_t>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string CellOf(HWND list, std::int32_t row, std::int32_t column) {
  char text[2048] = {};
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text - 1;
  ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

std::int32_t ScrollRows(HWND list) {
  SCROLLINFO info = {sizeof info, SIF_RANGE, 0, 0, 0, 0, 0};
  if (!::GetScrollInfo(list, SB_VERT, &info)) return 0;
  return info.nMax + 1;
}

}  // namespace quarrow::testing
