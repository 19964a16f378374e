#include "tests/fuzz/gbk_texts.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "conversions/gbk_unicode.h"

namespace quarrow::fuzzing {

namespace {

// The narrow text holds what the compiler made of it; the UTF-8 one, which no build converts, is the text.
struct Sample {
  std::string_view gbk;
  const char8_t* utf8;
};

// A narrow text's length counts GBK bytes: two for a character, where UTF-8 takes three.
static_assert(sizeof("省") == 3);

const Sample kSamples[] = {
    {"省", u8"省"},
    {"省3区f市F", u8"省3区f市F"},
    {"誠禱\\", u8"誠禱\\"},
    {"\t路\x41\101号\n", u8"\t路\x41\101号\n"},
    {R"(区"\n)", u8R"(区"\n)"},
};

[[noreturn]] void Stop(std::string_view what, std::string_view why) {
  std::fprintf(stderr, "the fuzz build's GBK texts: %.*s %.*s\n", static_cast<int>(what.size()), what.data(),
               static_cast<int>(why.size()), why.data());
  std::abort();
}

}  // namespace

void CheckGbkCopies() {
  for (const Sample& sample : kSamples) {
    const std::string_view utf8(reinterpret_cast<const char*>(sample.utf8));
    std::string expected;
    if (!Utf8ToGbk(utf8, expected)) Stop(utf8, "has no GBK form");
    if (sample.gbk != expected) Stop(utf8, "was not compiled to its GBK bytes");
  }
}

void RequireGbk(std::string_view text, std::string_view what) {
  std::string utf8;
  if (!AppendGbkAsUtf8(text, utf8)) Stop(what, "is not valid GBK");
  if (IsUtf8(text) && utf8 != text) Stop(what, "is UTF-8");
}

}  // namespace quarrow::fuzzing
