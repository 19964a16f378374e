// What the user is told when the export cannot write its file: which file, and the system's reason.
#pragma once

#include <windows.h>

#include <string>

namespace quarrow::app {

// "无法写入文件：" and the path, then on a line of its own the system's text for the error code.
std::string WriteFailureText(const char* path, DWORD error);

// Shows that text in a message box over `owner`, with the caption "Quarrow" and the warning icon, and waits until
// the user has closed it.
void ShowWriteFailure(HWND owner, const char* path, DWORD error);

}  // namespace quarrow::app
