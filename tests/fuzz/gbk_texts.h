// The fuzz build compiles the code that relies on GBK texts from copies with the texts escaped
// (scripts/gbk-literals); these checks, run before a target takes its first input, stop it when a text it
// compiled that way does not hold the bytes the GCC builds give it.
#pragma once

#include <string_view>

namespace quarrow::fuzzing {

// Checks the escaping on texts that try it: a character before a digit or a hex letter, one whose GBK trail byte
// is a backslash, escapes beside characters, a raw text. This file is compiled from its copy too.
void CheckGbkCopies();

// Stops the target, naming `what`, unless `text` is GBK: valid GBK, and not UTF-8 unless it is plain ASCII (a
// UTF-8 text may happen to be valid GBK as well).
void RequireGbk(std::string_view text, std::string_view what);

}  // namespace quarrow::fuzzing
