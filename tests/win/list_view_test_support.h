// What the ListView tests share: the runtime initialised with the ListView test form (core and extended interface
// libraries), handlers that log what reached them and return what a test asks, property access through the
// runtime's own paths, the commands through the service table, bounded pumps and real input.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "runtime/facade.h"
#include "runtime/runtime.h"
#include "tests/win/list_view_test_form.h"
#include "units/list_view_properties.h"
#include "base/unit_interface.h"
#include "tests/win/unit_property_access.h"

namespace quarrow::testing {

struct ListCall {
  int tag;
  std::vector<std::intptr_t> args;
  bool operator==(const ListCall&) const = default;
};

// Every handler call, in order; code to run inside a tag's handler; the value a tag's handler returns (none: it
// returns no value).
std::vector<ListCall>& ListCalls();
std::map<int, std::function<void()>>& DuringListCall();
std::map<int, std::int32_t>& ListReturns();
std::vector<int> ListTagsCalled();
void ClearListCalls();

HWND ListWindowOf(std::uint32_t window_id);
UnitObject* ListObjectOf(std::uint32_t window_id, std::uint32_t unit_id);
HWND ListControl(std::uint32_t window_id, std::uint32_t unit_id);
// Loads a window (not yet loaded) and brings it to the foreground.
bool LoadListWindow(std::uint32_t window_id);
void CloseListWindows();
rt::UnitRef ListRef(std::uint32_t window_id, std::uint32_t unit_id);

// The unit type's own operations, called directly: SetProperty with a raw value (what it returned; the unit is
// not re-created), GetProperty's bytes, SaveProperties read back.
std::int32_t SetListRaw(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index, RawValue value);
std::int32_t SetListRawWord(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index,
                            std::int32_t value);
std::vector<std::uint8_t> GetListRawBytes(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index);
ListViewProperties SavedListProperties(std::uint32_t window_id, std::uint32_t unit_id);
UnitInterface ListViewTypeInterface();
std::int32_t SetListRawBytes(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index,
                             const std::vector<std::uint8_t>& bytes);

// The control's view of its rows.
std::int32_t RowCount(HWND list);
std::string CellOf(HWND list, std::int32_t row, std::int32_t column);
// The vertical scroll bar's range: one more than its maximum (the rows it covers in report view).
std::int32_t ScrollRows(HWND list);

// Handles messages as the message loop does (without its idle work) until the condition holds or time is up.
bool PumpListUntil(const std::function<bool()>& condition, DWORD timeout_ms = 3000);
void PumpList(DWORD ms);

void PressListKey(WORD vk, bool down);
void TapListKey(WORD vk);
void ClickListAt(HWND window, int x, int y, bool right = false);

}  // namespace quarrow::testing
