// Reading and making the raw values that cross the unit interface: a word, a text address, or an address and a
// length. What a unit receives it copies; what it hands out points into its own storage.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "base/property_values.h"

namespace quarrow {

using forms::RawValue;

inline std::int32_t IntOf(const RawValue& value) { return static_cast<std::int32_t>(value.Word()); }
inline std::uint32_t WordOf(const RawValue& value) { return value.Word(); }
// A logical word is true only when it is 1.
inline bool LogicalOf(const RawValue& value) { return value.Word() == 1; }
// A text value: the address of a zero-terminated text; null is the empty text.
inline std::string TextOf(const RawValue& value) {
  const auto* text = static_cast<const char*>(value.Address());
  return text ? std::string(text) : std::string();
}
// A byte value: an address and a length; null or a length of 0 is empty.
inline std::span<const std::uint8_t> BytesOf(const RawValue& value) {
  const auto* data = static_cast<const std::uint8_t*>(value.Address());
  if (data == nullptr || value.word2 == 0) return {};
  return {data, static_cast<std::size_t>(value.word2)};
}

inline RawValue RawWord(std::uint32_t word) { return {word, 0}; }
inline RawValue RawInt(std::int32_t value) { return RawWord(static_cast<std::uint32_t>(value)); }
inline RawValue RawLogical(bool value) { return RawWord(value ? 1 : 0); }
inline RawValue RawText(const std::string& text) { return {reinterpret_cast<std::uintptr_t>(text.c_str()), 0}; }
// Empty bytes are handed out as a null address with length 0.
inline RawValue RawBytes(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return {0, 0};
  return {reinterpret_cast<std::uintptr_t>(bytes.data()), bytes.size()};
}

}  // namespace quarrow
