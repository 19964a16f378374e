// The system's save dialog of another process, operated as a user would: read and type the file name, press
// Save or Cancel, answer the question whether to replace an existing file.
#pragma once

#include <windows.h>

#include <string>

namespace quarrow::e2e {

inline constexpr char kSaveDialogTitle[] = "另存为";
// Wine asks whether to replace a file in a box with this caption.
inline constexpr char kReplaceQuestionCaption[] = "错误";

// The file name box (a ComboBoxEx32 with control id 0x47C, or the edit inside it).
HWND FileNameBox(HWND dialog);
std::string ProposedFileName(HWND dialog);
void TypeFileName(HWND dialog, const std::string& name);
void PressSave(HWND dialog);
void PressCancel(HWND dialog);

}  // namespace quarrow::e2e
