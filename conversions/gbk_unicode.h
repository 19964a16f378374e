// GBK texts as UTF-8 and back, through the generated table (conversions/gbk_table.h): the same bytes give the same
// result in every build, whatever the system's own conversions would say.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quarrow {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsUtf8(std::string_view bytes);

// Appends the UTF-8 form of a GBK text. Returns false, with `out` left as it was, when the text holds a byte or a
// pair that stands for no character.
bool AppendGbkAsUtf8(std::string_view gbk, std::string& out);

// The GBK form of a UTF-8 text. Returns false when the text is not UTF-8 or holds a character GBK lacks; `out`
// then holds what was converted before it.
bool Utf8ToGbk(std::string_view utf8, std::string& out);

}  // namespace quarrow
