// ToInteger's fold and parse on arbitrary bytes: no read past the terminator, a lone lead byte at the end is
// dropped, and folding never lengthens a text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "conversions/text_to_integer.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const quarrow::fuzzing::FuzzText text(data, size);
  const std::string folded = quarrow::FoldFullWidthForms(text.Get());
  if (folded.size() > text.length || folded.find('\0') != std::string::npos) std::abort();
  if (text.EndsWithLoneLead() && quarrow::FoldFullWidthForms(text.WithoutLastByte().Get()) != folded) std::abort();
  if (quarrow::TextToInteger(text.Get()) != quarrow::ParseLeadingInteger(folded)) std::abort();
  return 0;
}
