// Reading and operating the controls of another process, as a user's tools would: find windows by class,
// caption and position, read list views and list boxes; click and type with the test harness's own input.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/input.h"
#include "tests/support/pump.h"
#include "tests/support/window_info.h"

namespace quarrow::e2e {

// Input reaches another process's windows through the same queue as this process's own; the harness's input,
// waits and window texts serve the driver as they are.
using testing::Activate;
using testing::ClickAt;
using testing::ClickCentre;
using testing::kCtrl;
using testing::PostClick;
using testing::TapKey;
using testing::TypeKeys;
using testing::WaitUntil;
using testing::WindowText;

// The top-level window of a process with this class and caption, waiting up to the timeout for it to appear.
HWND WaitForTopLevel(DWORD process_id, const std::string& window_class, const std::string& caption,
                     DWORD timeout_ms);

// A child control anywhere under `top` whose class matches and whose rectangle, in `top`'s client
// coordinates, has this top-left corner (±2 pixels).
HWND FindControl(HWND top, const std::string& window_class, int left, int top_y);
// All descendants of `top` with this class, in z order.
std::vector<HWND> FindControls(HWND top, const std::string& window_class);
// The control's rectangle in `top`'s client coordinates.
RECT RectIn(HWND top, HWND control);

void SetTextOf(HWND window, const std::string& text);

// Every cell of a report-view list view of another process, row by row (GBK bytes).
std::vector<std::vector<std::string>> ReadListView(HWND list_view, int columns);
int ListViewRowCount(HWND list_view);
// The cells of one row.
std::vector<std::string> ReadListViewRow(HWND list_view, int row, int columns);
// The entries of a list box of another process (GBK bytes).
std::vector<std::string> ReadListBox(HWND list_box);
std::vector<int> ListBoxSelection(HWND list_box);

}  // namespace quarrow::e2e
