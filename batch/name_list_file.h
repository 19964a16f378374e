// The road and community lists of manual mode, read from files of one name per line.
#pragma once

#include <string>
#include <vector>

namespace quarrow::batch {

// The names of a list file as GBK texts, in file order. The file is UTF-8 when its bytes are UTF-8 (a leading
// byte-order mark is dropped), else GBK. Line ends are LF or CR LF; blank lines (nothing but spaces and tabs) are
// skipped; a name is otherwise kept exactly as written. `utf8_output`: every name must also be writable as UTF-8.
// Throws UsageError naming the file, and the line where a name cannot be held.
std::vector<std::string> ReadNameList(const std::string& path, bool utf8_output);

}  // namespace quarrow::batch
