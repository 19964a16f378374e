// The batch program's side of the address rules (app/address_rules.h): the core algorithms called directly, and
// every text a view into one scratch area that starts afresh with each address, so a row costs no allocation.
#pragma once

#include <array>
#include <charconv>
#include <cstdint>
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
  explicit Bound(const std::string& gbk)
      : blank(TrimAllSpaces(gbk.c_str()).empty()), value(TextToInteger(gbk.c_str())) {}
  bool blank;
  std::int32_t value;
};

using NameList = std::vector<std::string>;

// A piece of a join: a text made for this address, or one of the fixed texts, whose length its array gives.
struct Piece {
  Piece(std::string_view made) : text(made) {}
  template <std::size_t N>
  Piece(const char (&fixed)[N]) : text(fixed, N - 1) {}
  std::string_view text;
};

class BatchOperations {
 public:
  using Text = std::string_view;

  // `scratch_size` holds every text one address makes: the generated pieces and the joined address.
  BatchOperations(RandomGenerator& generator, std::size_t scratch_size)
      : generator_(generator), scratch_(scratch_size) {}

  void StartAddress() { used_ = 0; }

  std::int32_t RandomNumber(std::int32_t low, std::int32_t high) {
    return quarrow::RandomNumber(generator_, low, high);
  }
  Text ToText(std::int32_t value) {
    char* at = Room(12);
    return Keep(at, std::to_chars(at, at + 12, value).ptr);
  }
  std::int32_t TextLength(Text text) { return static_cast<std::int32_t>(text.size()); }
  Text RepeatText(std::int32_t count, Piece repeated) {
    const std::string_view piece = repeated.text;
    if (count <= 0 || piece.empty()) return {};
    // The zero-fill of a number: a view into a row of zeros, nothing written.
    if (piece == "0" && static_cast<std::size_t>(count) <= kZeros.size()) return kZeros.substr(0, count);
    char* at = Room(static_cast<std::size_t>(count) * piece.size());
    char* end = at;
    for (std::int32_t i = 0; i < count; ++i) end = Put(end, piece);
    return Keep(at, end);
  }
  // A view into a table of every byte, nothing written.
  Text CharFromCode(std::int32_t code) {
    const auto byte = static_cast<unsigned char>(code & 0xFF);
    return byte == 0 ? Text() : Text(&kEveryByte[byte], 1);
  }
  Text Join(std::initializer_list<Piece> parts) {
    const Piece* part = parts.begin();
    char* at = scratch_.data() + used_;
    // A text that was made last grows where it lies: the characters of a name are joined without copying it.
    const bool in_place = part != parts.end() && !part->text.empty() && part->text.data() + part->text.size() == at;
    if (in_place) at = const_cast<char*>(part++->text.data());
    std::size_t added = 0;
    for (const Piece* p = part; p != parts.end(); ++p) added += p->text.size();
    char* end = Room(added);
    for (; part != parts.end(); ++part) end = Put(end, part->text);
    used_ += added;
    return Text(at, static_cast<std::size_t>(end - at));
  }

  std::int32_t ListCount(const NameList* list) { return static_cast<std::int32_t>(list->size()); }
  Text ListEntry(const NameList* list, std::int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < list->size() ? Text((*list)[index]) : Text();
  }

  bool Blank(const Bound& bound) { return bound.blank; }
  std::int32_t ToInteger(const Bound& bound) { return bound.value; }

 private:
  static constexpr std::string_view kZeros = "0000000000000000";
  static constexpr std::array<char, 256> kEveryByte = [] {
    std::array<char, 256> bytes{};
    for (int i = 0; i < 256; ++i) bytes[i] = static_cast<char>(i);
    return bytes;
  }();

  // Where `size` more bytes go, at the end of what this address has made so far.
  char* Room(std::size_t size) {
    if (scratch_.size() - used_ < size) throw std::length_error("an address outgrew its scratch area");
    return scratch_.data() + used_;
  }
  Text Keep(char* at, char* end) {
    used_ += static_cast<std::size_t>(end - at);
    return Text(at, static_cast<std::size_t>(end - at));
  }
  // Pieces are a few bytes: a plain loop beats a call to the library's copy.
  static char* Put(char* out, Text piece) {
    for (const char c : piece) *out++ = c;
    return out;
  }

  RandomGenerator& generator_;
  std::vector<char> scratch_;
  std::size_t used_ = 0;
};

}  // namespace quarrow::batch
