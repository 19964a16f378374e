// EditBox's normalisation on arbitrary text in every input mode: no read past the end, and what it gives back is
// stable (normalising a normalised text changes nothing) and, for the number modes, within the mode's range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/fuzz/fuzz_text.h"
#include "units/edit_box_input.h"
#include "units/edit_box_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quarrow::edit_box;
  const quarrow::fuzzing::FuzzText text(data, size);
  const std::string input(text.Get(), text.length);
  for (std::int32_t mode = kModeNormal; mode <= kModeDateTime; ++mode) {
    const std::string once = NormalisedText(mode, input);
    if (mode <= kModeDecimalText && once != input) std::abort();
    // Numbers in their shown form read back as themselves (the floating forms excepted, whose infinities do not).
    // Dates are left out here: this build holds the Chinese date words in UTF-8, which the GBK full-width folding
    // may split; the GBK builds test that round trip.
    if (mode >= kModeByte && mode <= kModeLong && NormalisedText(mode, once) != once) std::abort();
    if (mode >= kModeByte && mode <= kModeDouble && once == "0") std::abort();
  }
  const std::int64_t byte = LeadingInteger64(NormalisedText(kModeByte, input));
  if (byte < 0 || byte > 255) std::abort();
  const std::int64_t shorter = LeadingInteger64(NormalisedText(kModeShort, input));
  if (shorter < -32768 || shorter > 32767) std::abort();
  if (const auto date = ParseDateTimeText(input)) {
    if (date->year < 100 || date->year > 9999 || date->month < 1 || date->month > 12 || date->day < 1 ||
        date->day > 31 || date->hour > 23 || date->minute > 59 || date->second > 59) {
      std::abort();
    }
  }
  const std::int32_t step = AdjustedValue(input, -3, 3, size % 2 ? 1 : -1);
  if (step < -3 || step > 3) std::abort();
  return 0;
}
