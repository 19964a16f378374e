// The file types a file dialog offers, from a CommonDlg's Filter text: description and pattern pairs separated by
// "|", as in "文本文件 (*.txt)|*.txt|所有文件 (*.*)|*.*||".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quarrow::common_dlg {

// The filter as the system's file dialogs take it: trailing white space removed, "||" appended unless the text
// already ends with it (an empty text stays empty), and every "|" turned into a zero byte. The result is empty or
// ends with two zero bytes, besides the terminator that std::string keeps. The text is GBK: a "|" byte that is the
// second byte of a double-byte character belongs to that character and separates nothing.
std::string SystemFilter(std::string_view filter);

// The file type number the dialog starts with: 0 without file types, otherwise the stored zero-based index plus
// one, a negative index counting as 0.
std::uint32_t InitialFilterNumber(std::string_view system_filter, std::int32_t filter_index);

}  // namespace quarrow::common_dlg
