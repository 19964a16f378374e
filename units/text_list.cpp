#include "units/text_list.h"

#include <cstdint>

namespace quarrow {

namespace {
constexpr std::uint16_t kLongCount = 0xFFFF;
}

void WriteTextList(ByteWriter& w, const TextList& items) {
  if (items.size() >= kLongCount) {
    w.U16(kLongCount);
    w.U32(static_cast<std::uint32_t>(items.size()));
  } else {
    w.U16(static_cast<std::uint16_t>(items.size()));
  }
  for (const std::string& item : items) w.CountedText(item);
}

void ReadTextList(ByteReader& r, TextList& items) {
  std::uint32_t count = r.U16();
  if (count == kLongCount) count = r.U32();
  // The count is not trusted for reserving: a forged one would ask for gigabytes. Each item needs at least its
  // 4-byte length, so the loop ends with the data.
  for (std::uint32_t i = 0; i < count && !r.Failed(); ++i) {
    std::string item = r.CountedText();
    if (r.Failed()) break;
    items.push_back(std::move(item));
  }
}

Bytes SaveTextList(const TextList& items) {
  ByteWriter w;
  WriteTextList(w, items);
  return w.Release();
}

TextList LoadTextList(std::span<const std::uint8_t> bytes) {
  TextList items;
  if (bytes.empty()) return items;
  ByteReader r(bytes);
  ReadTextList(r, items);
  return items;
}

}  // namespace quarrow
