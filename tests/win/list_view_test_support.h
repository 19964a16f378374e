// The ListView's test program: the runtime initialised with the ListView test form (core and extended interface
// libraries), the recording handlers, property access through the runtime's own paths and the unit type's own
// operations, the commands through the service table, bounded pumps and real input; and the control's own view
// of its rows.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>

#include "runtime/facade.h"
#include "tests/support/input.h"
#include "tests/support/pump.h"
#include "tests/support/runtime_fixture.h"
#include "tests/support/unit_property_access.h"
#include "tests/win/list_view_test_form.h"
#include "units/list_view_properties.h"
#include "base/unit_interface.h"

namespace quarrow::testing {

rt::UnitRef ListRef(std::uint32_t window_id, std::uint32_t unit_id);
UnitInterface ListViewTypeInterface();
// SaveProperties read back.
ListViewProperties SavedListProperties(std::uint32_t window_id, std::uint32_t unit_id);

// The control's view of its rows.
std::int32_t RowCount(HWND list);
std::string CellOf(HWND list, std::int32_t row, std::int32_t column);
// The vertical scroll bar's range: one more than its maximum (the rows it covers in report view).
std::int32_t ScrollRows(HWND list);

}  // namespace quarrow::testing
