// The form description reader on arbitrary input: it either fails or yields a form that the writer writes back
// to a stream the reader reads to the same form; no read past the end, no allocation the input cannot pay for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "forms/form_description.h"
#include "forms/window_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quarrow::forms;
  const auto form = ReadFormDescription({data, size});
  if (!form) return 0;
  const quarrow::Bytes written = WriteFormDescription(*form);
  const auto again = ReadFormDescription(written);
  if (!again || WriteFormDescription(*again) != written) std::abort();
  for (const WindowDescription& window : form->windows) {
    for (std::size_t i = 0; i < window.units.Count(); ++i) {
      const auto unit = ParseUnitRecord(*window.units.RecordAt(i));
      if (!unit) std::abort();
      // Counts of 0 or less all read as empty, so the bytes may differ; the fields may not.
      const auto again_unit = ParseUnitRecord(EncodeUnitRecord(*unit));
      if (!again_unit || !(*again_unit == *unit)) std::abort();
      if (const auto* record = std::get_if<UnitRecord>(&*unit)) {
        WindowProperties properties;
        if (LoadWindowProperties(record->properties, &properties)) {
          WindowProperties back;
          if (!LoadWindowProperties(SaveWindowProperties(properties), &back) || !(back == properties)) std::abort();
        }
      }
    }
  }
  return 0;
}
