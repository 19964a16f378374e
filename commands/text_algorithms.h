// The byte work of the text commands. Texts are zero-terminated GBK: a byte below 0x80 is a character of its
// own, a byte of 0x80 or above leads a two-byte character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quarrow {

// Bytes before the terminating zero; 0 for null.
std::int32_t TextLength(const char* text);

// The text without its half-width spaces (0x20) and full-width spaces (A1A1), walked character by character so
// that a trail byte 0xA1 of another character is never mistaken for half a space. A lead byte with nothing after
// it is dropped. Tabs and line breaks stay. Reads up to the first zero byte and never past it; null reads as "".
std::string TrimAllSpaces(const char* text);

// Bytes of `piece` repeated `count` times (a negative count counts as 0), or nothing when that would not fit in
// a text, whose length is a 32-bit count.
std::optional<std::size_t> RepeatedLength(std::int32_t count, std::size_t piece_length);
// Writes `piece` `count` times and a terminating zero; `out` holds RepeatedLength(count, piece.size()) + 1 bytes.
void WriteRepeated(char* out, std::int32_t count, std::string_view piece);

// The one-byte text of the code's low eight bits; code 0 (or any multiple of 256) gives the empty text.
std::string CharFromCode(std::int32_t code);

// A user's text between single quotes, as a message shows it.
inline std::string Quoted(std::string_view text) {
  std::string quoted(1, '\'');
  quoted.append(text).push_back('\'');
  return quoted;
}

}  // namespace quarrow
