// The value model shared by application code, the runtime, the libraries and the units.
//
// Every value that crosses between them is up to eight bytes of value and a 32-bit data-type code. Values travel
// in three records:
//
//   ValueRecord       12 bytes: value word 1 (low 32 bits), value word 2 (high 32 bits), data-type code.
//                     Argument records and result records both have this shape.
//   EventArgRecord    16 bytes: the same, plus a flags word.
//
// A value narrower than eight bytes sits in the low bytes. An address fills word 1 on 32-bit targets and both
// words on 64-bit targets, so the records keep their 12 and 16 bytes on every target.
//
// Texts, byte sets and arrays live on the runtime heap (see memory.h):
//   text      zero-terminated GBK bytes; null is the empty text, never a block holding only the terminator;
//   byte set  int32 1 (dimension count), int32 length n, then n bytes; null is the empty byte set;
//   array     int32 dimension count d, d int32 sizes, then the elements; text and byte-set elements are
//             addresses of blocks owned by the array (null for empty).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace quarrow {

using DataType = std::uint32_t;

namespace type {
inline constexpr DataType kNone = 0;
inline constexpr DataType kByte = 0x80000101;
inline constexpr DataType kShort = 0x80000201;
inline constexpr DataType kInt = 0x80000301;
inline constexpr DataType kLong = 0x80000401;
inline constexpr DataType kFloat = 0x80000501;
inline constexpr DataType kDouble = 0x80000601;
inline constexpr DataType kLogical = 0x80000002;
inline constexpr DataType kDateTime = 0x80000003;
inline constexpr DataType kText = 0x80000004;
inline constexpr DataType kByteSet = 0x80000005;
inline constexpr DataType kSubroutine = 0x80000006;
// Known only by its code: passed as an opaque eight-byte value.
inline constexpr DataType kOpaque8 = 0x80000008;

inline constexpr DataType kArrayBit = 0x20000000;

inline constexpr bool IsBasic(DataType t) { return (t & 0xC0000000u) == 0x80000000u; }
inline constexpr bool IsUserDefined(DataType t) { return (t & 0xC0000000u) == 0x40000000u; }
inline constexpr bool IsLibraryType(DataType t) {
  return t != kNone && ((t & 0xC0000000u) == 0 || (t & 0xC0000000u) == 0xC0000000u);
}
inline constexpr bool IsArray(DataType t) { return IsBasic(t) && (t & kArrayBit) != 0; }
inline constexpr DataType ElementType(DataType t) { return t & ~kArrayBit; }
// The six numeric types share the low byte 0x01.
inline constexpr bool IsNumeric(DataType t) {
  return (t & 0xFFFF00FFu) == 0x80000001u && ((t >> 8) & 0xFF) >= 1 && ((t >> 8) & 0xFF) <= 6;
}
// Bytes one element of this basic type occupies inside an array block.
std::size_t ElementSize(DataType element);
}  // namespace type

// A unit-type reference: library number × 65536 + type number, both counted from 1.
inline constexpr DataType UnitTypeRef(std::uint32_t library, std::uint32_t type_number) {
  return (library << 16) + type_number;
}

struct ValueRecord {
  std::uint32_t word1 = 0;
  std::uint32_t word2 = 0;
  DataType type = type::kNone;

  bool Omitted() const { return type == type::kNone; }

  std::int32_t Int() const { return static_cast<std::int32_t>(word1); }
  std::uint8_t Byte() const { return static_cast<std::uint8_t>(word1); }
  std::int16_t Short() const { return static_cast<std::int16_t>(word1 & 0xFFFF); }
  bool Logical() const { return word1 != 0; }
  std::int64_t Long() const { return static_cast<std::int64_t>(Bits()); }
  float Float() const {
    float f;
    std::memcpy(&f, &word1, sizeof f);
    return f;
  }
  double Double() const {
    const std::uint64_t bits = Bits();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  // The address held in the value: word 1, or both words on 64-bit targets.
  template <class T = void>
  T* Pointer() const {
    std::uintptr_t address;
    if constexpr (sizeof(std::uintptr_t) == 8) {
      address = static_cast<std::uintptr_t>(Bits());
    } else {
      address = word1;
    }
    return reinterpret_cast<T*>(address);
  }
  const char* Text() const { return Pointer<const char>(); }
  std::uint64_t Bits() const { return (static_cast<std::uint64_t>(word2) << 32) | word1; }

  static ValueRecord Make(DataType t, std::uint64_t bits) {
    ValueRecord r;
    r.word1 = static_cast<std::uint32_t>(bits);
    r.word2 = static_cast<std::uint32_t>(bits >> 32);
    r.type = t;
    return r;
  }
  static ValueRecord OfInt(std::int32_t v) { return Make(type::kInt, static_cast<std::uint32_t>(v)); }
  static ValueRecord OfLogical(bool v) { return Make(type::kLogical, v ? 1 : 0); }
  static ValueRecord OfLong(std::int64_t v) { return Make(type::kLong, static_cast<std::uint64_t>(v)); }
  static ValueRecord OfFloat(float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return Make(type::kFloat, bits);
  }
  static ValueRecord OfDouble(double v, DataType t = type::kDouble) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return Make(t, bits);
  }
  static ValueRecord OfPointer(DataType t, const void* p) {
    return Make(t, static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(p)));
  }
  static ValueRecord OfText(const char* text) { return OfPointer(type::kText, text); }
  static ValueRecord OfUnit(DataType unit_type, std::uint32_t window_id, std::uint32_t unit_id) {
    return Make(unit_type, (static_cast<std::uint64_t>(unit_id) << 32) | window_id);
  }
};
static_assert(sizeof(ValueRecord) == 12 && alignof(ValueRecord) == 4, "argument and result records are 12 bytes");

// Flag bits of an event argument record.
namespace event_arg {
inline constexpr std::uint32_t kByReference = 1;  // word 1 holds an address, passed on unchanged
inline constexpr std::uint32_t kBothWords = 2;
}  // namespace event_arg

struct EventArgRecord {
  ValueRecord value;
  std::uint32_t flags = 0;
};
static_assert(sizeof(EventArgRecord) == 16 && alignof(EventArgRecord) == 4, "event argument records are 16 bytes");

// Views of the blocks that live on the runtime heap. They never own what they look at.

// Header words of byte-set and array blocks are 32-bit on every target.
inline std::int32_t ReadBlockWord(const void* at) {
  std::int32_t v;
  std::memcpy(&v, at, sizeof v);
  return v;
}
inline void WriteBlockWord(void* at, std::int32_t v) { std::memcpy(at, &v, sizeof v); }

inline constexpr std::size_t kByteSetHeader = 8;

// The header of a byte-set block of `length` bytes: one dimension, then the byte count.
inline void WriteByteSetHeader(void* block, std::int32_t length) {
  WriteBlockWord(block, 1);
  WriteBlockWord(static_cast<std::uint8_t*>(block) + 4, length);
}

struct ByteSetView {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;

  // A null block is the empty byte set; so is a block whose length word is not positive.
  static ByteSetView Of(const void* block) {
    if (block == nullptr) return {};
    const auto* bytes = static_cast<const std::uint8_t*>(block);
    const std::int32_t length = ReadBlockWord(bytes + 4);
    if (length <= 0) return {};
    return {bytes + kByteSetHeader, static_cast<std::size_t>(length)};
  }
};

// Bytes an array block with these dimension sizes occupies: 4 + 4 × d + element size × product of the sizes.
std::size_t ArrayBlockSize(std::size_t element_size, const std::int32_t* sizes, std::int32_t dimensions);

struct ArrayView {
  void* block = nullptr;

  std::int32_t Dimensions() const { return block ? ReadBlockWord(block) : 0; }
  std::int32_t DimensionSize(std::int32_t i) const {
    return ReadBlockWord(static_cast<std::uint8_t*>(block) + 4 + 4 * i);
  }
  // Product of the dimension sizes; 0 for a null block.
  std::size_t Count() const;
  std::uint8_t* Elements() const { return static_cast<std::uint8_t*>(block) + 4 + 4 * Dimensions(); }
  // Size of the whole block for elements of the given size.
  std::size_t BlockSize(std::size_t element_size) const;
};

}  // namespace quarrow
