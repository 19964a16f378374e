// What the stored property blocks and property tables of all unit types share.
//
// A stored property block is little-endian: a 32-bit version word, then the unit type's own properties in the
// order its codec writes them. Words are 4 bytes; texts and byte buffers (fonts, pictures, lists) are a 32-bit
// byte count and the bytes; a logical is a word that is true only when it is 1.
//
// Every unit type's Load resets its properties to their defaults and then reads: an empty block gives the
// defaults, a version above the type's own fails, fields that an older version lacks keep their defaults, and a
// block that ends inside a field fails. Save always writes the type's highest version. Values read from a block
// are kept as stored; the clamping functions of each unit type are for values set at run time.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/byte_stream.h"
#include "base/program_header.h"

namespace quarrow {

// Properties 0 to 7 of every unit type; a unit type's own properties follow, and its operations see them by
// their local index (the property index minus 8).
inline constexpr std::int32_t kCommonPropertyCount = 8;
namespace common_property {
inline constexpr std::int32_t kLeft = 0;
inline constexpr std::int32_t kTop = 1;
inline constexpr std::int32_t kWidth = 2;
inline constexpr std::int32_t kHeight = 3;
inline constexpr std::int32_t kTag = 4;
inline constexpr std::int32_t kVisible = 5;
inline constexpr std::int32_t kDisabled = 6;
inline constexpr std::int32_t kMousePointer = 7;
}  // namespace common_property

// The property index that application code and the service table use for a unit type's own property.
constexpr std::int32_t PropertyIndex(std::int32_t local_index) { return local_index + kCommonPropertyCount; }

// A unit type's property table: the eight common entries, then one entry per type word of its own properties.
template <std::size_t N>
constexpr std::array<PropertyEntry, kCommonPropertyCount + N> PropertyTable(const std::uint32_t (&own)[N]) {
  constexpr std::uint32_t kCommon[kCommonPropertyCount] = {0xE00003E9, 0xE00003E9, 0xE00003E9, 0xE00003E9,
                                                           0xE00003ED, 0xE00003EB, 0xE00003EB, 0xE00003F3};
  std::array<PropertyEntry, kCommonPropertyCount + N> table{};
  for (std::size_t i = 0; i < kCommonPropertyCount; ++i) table[i].type_word = kCommon[i];
  for (std::size_t i = 0; i < N; ++i) table[kCommonPropertyCount + i].type_word = own[i];
  return table;
}

// In a background colour this value stands for the system button-face colour.
inline constexpr std::uint32_t kButtonFaceColor = 0xFF000000;

// A stored font is a LOGFONTA of exactly 60 bytes; any other length (empty included) means the default GUI font.
// The bytes are kept as stored either way, so that a block carries them unchanged.
inline constexpr std::size_t kLogFontSize = 60;
inline constexpr std::size_t kLogFontFaceNameOffset = 28;
inline constexpr std::size_t kLogFontFaceNameSize = 32;
inline bool HoldsLogFont(std::span<const std::uint8_t> font) { return font.size() == kLogFontSize; }

// The block that the unit interface hands over as (pointer, length): none for a null pointer or a length below 1.
inline std::span<const std::uint8_t> PropertyBlockBytes(const void* data, std::int32_t length) {
  if (data == nullptr || length < 1) return {};
  return {static_cast<const std::uint8_t*>(data), static_cast<std::size_t>(length)};
}

// Reads the version word of a non-empty block. False when the block is too short for it or its version,
// compared unsigned, is above `highest`.
inline bool ReadBlockVersion(ByteReader& r, std::uint32_t highest, std::uint32_t& version) {
  version = r.U32();
  return !r.Failed() && version <= highest;
}

inline bool ReadLogical(ByteReader& r) { return r.U32() == 1; }
inline void WriteLogical(ByteWriter& w, bool v) { w.U32(v ? 1 : 0); }

inline std::int32_t ClampTo(std::int32_t value, std::int32_t low, std::int32_t high) {
  return std::clamp(value, low, high);
}

// Border styles of the units that have a Border property: 0 none, 1 sunken, 2 raised, 3 thin, 4 sunken and
// raised, 5 single line.
inline constexpr std::int32_t kMaxBorderStyle = 5;

}  // namespace quarrow
