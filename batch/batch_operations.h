// The batch program's side of the address rules (app/address_rules.h): the core algorithms called directly, and
// every text a view into one scratch area that starts afresh with each address, so a row costs no allocation.
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "commands/random_numbers.h"
#include "commands/text_algorithms.h"
#include "conversions/text_to_integer.h"

namespace quarrow::batch {

// A min or max bound, read once the way the window reads its box for every address.
struct Bound {
  explicit Bound(const std::string& gbk) : blank(TrimAllSpaces(gbk.c_str()).empty()), value(TextToInteger(gbk.c_str())) {}
  bool blank;
  std::int32_t value;
};

using NameList = std::vector<std::string>;

class BatchOperations {
 public:
  using Text = std::string_view;

  // `scratch_size` holds every text one address makes: the generated pieces and the joined address.
  BatchOperations(RandomGenerator& generator, std::size_t scratch_size)
      : generator_(generator), scratch_(scratch_size) {}

  void StartAddress() { used_ = 0; }

  std::int32_t RandomNumber(std::int32_t low, std::int32_t high) { return quarrow::RandomNumber(generator_, low, high); }
  Text ToText(std::int32_t value) {
    char* at = Room(12);
    return Keep(at, std::to_chars(at, at + 12, value).ptr);
  }
  std::int32_t TextLength(Text text) { return static_cast<std::int32_t>(text.size()); }
  Text RepeatText(std::int32_t count, std::string_view piece) {
    if (count <= 0 || piece.empty()) return {};
    char* at = Room(static_cast<std::size_t>(count) * piece.size());
    char* end = at;
    for (std::int32_t i = 0; i < count; ++i) end = std::copy(piece.begin(), piece.end(), end);
    return Keep(at, end);
  }
  Text CharFromCode(std::int32_t code) {
    const char byte = static_cast<char>(code & 0xFF);
    if (byte == 0) return {};
    char* at = Room(1);
    *at = byte;
    return Keep(at, at + 1);
  }
  Text Join(std::initializer_list<Text> parts) {
    std::size_t size = 0;
    for (Text part : parts) size += part.size();
    char* at = Room(size);
    char* end = at;
    for (Text part : parts) end = std::copy(part.begin(), part.end(), end);
    return Keep(at, end);
  }

  std::int32_t ListCount(const NameList* list) { return static_cast<std::int32_t>(list->size()); }
  Text ListEntry(const NameList* list, std::int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < list->size() ? Text((*list)[index]) : Text();
  }

  bool Blank(const Bound& bound) { return bound.blank; }
  std::int32_t ToInteger(const Bound& bound) { return bound.value; }

 private:
  char* Room(std::size_t size) {
    if (scratch_.size() - used_ < size) throw std::length_error("an address outgrew its scratch area");
    return scratch_.data() + used_;
  }
  Text Keep(char* at, char* end) {
    used_ += static_cast<std::size_t>(end - at);
    return Text(at, static_cast<std::size_t>(end - at));
  }

  RandomGenerator& generator_;
  std::vector<char> scratch_;
  std::size_t used_ = 0;
};

}  // namespace quarrow::batch
