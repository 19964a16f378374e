// TrimAllSpaces on arbitrary bytes: no read past the terminator, a lone lead byte at the end is dropped, no
// space survives as a character of its own, and trimming twice changes nothing more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "commands/text_algorithms.h"
#include "tests/fuzz/fuzz_text.h"

namespace {

// Walks the kept text character by character, as the command does.
bool HoldsASpaceCharacter(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      if (lead == ' ') return true;
      ++i;
      continue;
    }
    if (i + 1 >= text.size()) return true;  // half a character must not be kept either
    if (lead == 0xA1 && static_cast<unsigned char>(text[i + 1]) == 0xA1) return true;
    i += 2;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const quarrow::fuzzing::FuzzText text(data, size);
  const std::string kept = quarrow::TrimAllSpaces(text.Get());
  if (kept.size() > text.length || HoldsASpaceCharacter(kept)) std::abort();
  if (text.EndsWithLoneLead() && quarrow::TrimAllSpaces(text.WithoutLastByte().Get()) != kept) std::abort();
  if (quarrow::TrimAllSpaces(kept.c_str()) != kept) std::abort();
  return 0;
}
