// Reading and operating the controls of another process, as a user's tools would: find windows by class,
// caption and position, read list views and list boxes, click, type.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace quarrow::e2e {

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

std::string TextOf(HWND window);
void SetTextOf(HWND window, const std::string& text);

// Every cell of a report-view list view of another process, row by row (GBK bytes).
std::vector<std::vector<std::string>> ReadListView(HWND list_view, int columns);
int ListViewRowCount(HWND list_view);
// The cells of one row.
std::vector<std::string> ReadListViewRow(HWND list_view, int row, int columns);
// The entries of a list box of another process (GBK bytes).
std::vector<std::string> ReadListBox(HWND list_box);
std::vector<int> ListBoxSelection(HWND list_box);

// Input, as the user gives it: the window is brought to the front, the pointer moved and the keys pressed
// through the system's input queue.
void BringToFront(HWND top);
void ClickAt(HWND control, int x, int y, bool with_ctrl = false);
void Click(HWND control, bool with_ctrl = false);
void DoubleClick(HWND control, int x, int y);
void PressKey(WORD virtual_key, bool with_ctrl = false, bool with_shift = false);
// Types ASCII text key by key into whatever has the focus.
void TypeAscii(const std::string& text);

// Waits until the condition holds, checking every 20 ms; false after the timeout.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms);

}  // namespace quarrow::e2e
