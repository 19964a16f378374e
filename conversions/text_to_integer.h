// Reading an integer from a GBK text, the way users type numbers: full-width digits and signs count as their
// ASCII forms.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quarrow {

// A copy of the text with the GBK full-width forms folded to ASCII: A3A1..A3FE become 0x21..0x7E ("１２" becomes
// "12"), the full-width space A1A1 becomes " ", A1AB becomes "~" and A1EE, A1EF become "*". Other double-byte
// characters pass unchanged; a lead byte (0x80 or above) with nothing after it is dropped. Reads up to the first
// zero byte and never past it.
std::string FoldFullWidthForms(const char* text);

// Skips leading white space, takes an optional sign, then decimal digits up to the first other byte. Overflow
// wraps at 32 bits; no digits give 0.
std::int32_t ParseLeadingInteger(std::string_view text);

// Both in turn: "  -12abc" gives -12, "１２" gives 12; null reads as the empty text.
std::int32_t TextToInteger(const char* text);

}  // namespace quarrow
