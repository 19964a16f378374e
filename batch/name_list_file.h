// The road and community lists of manual mode, read from files of one name per line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quarrow::batch {

// The names of a list file as GBK texts, in file order. The file is UTF-8 when its bytes are UTF-8 (a leading
// byte-order mark is dropped), else GBK. Line ends are LF or CR LF; blank lines (nothing but spaces and tabs) are
// skipped; a name is otherwise kept exactly as written, but a name holding a control character other than a tab (a
// lone CR) is refused. Throws UsageError naming the file, and the line where a
// name cannot be held.
std::vector<std::string> ReadNameList(const std::string& path);

// The same for a file's bytes already read; `file_name` (GBK) is what the messages call it.
std::vector<std::string> ParseNameList(std::string_view bytes, std::string_view file_name);

}  // namespace quarrow::batch
