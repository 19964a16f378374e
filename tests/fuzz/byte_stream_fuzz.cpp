// The byte reader on arbitrary input: no read past the end, whatever the counts say.
#include <cstddef>
#include <cstdint>

#include "base/byte_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quarrow::ByteReader r(data, size);
  while (!r.Failed() && !r.AtEnd()) {
    switch (r.U8() % 5) {
      case 0: r.CountedText(); break;
      case 1: r.ZeroText(); break;
      case 2: r.CountedBytes(); break;
      case 3: r.U32(); break;
      default: r.U16(); break;
    }
  }
  return 0;
}
