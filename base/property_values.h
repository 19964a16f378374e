// Property values between the unit interface and application code. A unit type's GetProperty yields a raw value
// of at most two words whose form the property's type code gives; reading turns it into the value handed to the
// application (new texts and byte sets on the runtime heap), writing turns the application's value into the raw
// value handed to SetProperty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/byte_stream.h"
#include "base/memory.h"

namespace quarrow::forms {

// Two words: a number (word 1), a 64-bit number (word 1 low, word 2 high), an address and a length, or the
// address of a zero-terminated text. Addresses are pointer-sized.
struct RawValue {
  std::uintptr_t word1 = 0;
  std::uintptr_t word2 = 0;

  const void* Address() const { return reinterpret_cast<const void*>(word1); }
  std::uint32_t Word() const { return static_cast<std::uint32_t>(word1); }
};

// Property type codes, by the kind of value they carry.
enum class PropertyKind { kInteger, kLong, kLogical, kText, kChoice, kBytes, kMousePointer, kFont, kColour };
PropertyKind KindOfTypeCode(std::uint16_t type_code);

// Cursor numbers 0 to 14 ↔ the platform's predefined cursor identifiers; anything else passes unchanged.
std::uint32_t CursorIdentifierOfNumber(std::uint32_t number);
std::uint32_t CursorNumberOfIdentifier(std::uint32_t identifier);
// Mouse-pointer data of 4 bytes or more has its first word translated; shorter data is left alone.
void CursorDataToNumber(Bytes& data);
void CursorDataToIdentifier(Bytes& data);

// A 60-byte font description in the platform's LOGFONTA layout.
inline constexpr std::size_t kFontDescriptionSize = 60;
struct FontContext {
  Bytes default_font;            // the default GUI font's description (60 bytes)
  std::int32_t pixels_per_inch = 96;
};

// What reading a font with element index -1 hands out: the seven members in reading order (28 bytes on 32-bit
// targets). The face name is a text the record's receiver owns.
struct FontRecord {
  std::int32_t angle;
  std::int32_t bold;
  std::int32_t italic;
  std::int32_t strike_out;
  std::int32_t underline;
  std::int32_t size;
  char* face_name;
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(FontRecord) == 28);
#endif

// The raw value of a property as the reader gets it: the word, both words, or the address of a new text, byte
// set or font record (the reader owns them).
std::uint64_t ValueForReader(std::uint16_t type_code, const RawValue& raw, std::int32_t element,
                             const FontContext& fonts, RuntimeMemory& memory);

// An application value prepared for a unit's SetProperty. Texts, bytes and fonts are copied here first, so the
// raw value points into this object and stays valid while it lives.
class WriteValue {
 public:
  // current_font is the unit's present font description (any other length than 60 bytes stands for the default
  // font); only font properties use it.
  WriteValue(std::uint16_t type_code, std::int32_t element, std::uint64_t value, const RawValue& current_font,
             const FontContext& fonts);
  WriteValue(const WriteValue&) = delete;
  WriteValue& operator=(const WriteValue&) = delete;

  RawValue Raw() const;
  PropertyKind Kind() const { return kind_; }
  const Bytes& Storage() const { return storage_; }

 private:
  PropertyKind kind_;
  std::uint64_t value_ = 0;
  Bytes storage_;
};

// Font members by element index: 0 angle, 1 bold, 2 italic, 3 strike-out, 4 underline, 5 size in points, 6 face
// name. The description is copied; one of any other length than 60 bytes stands for the default font.
Bytes EffectiveFont(const RawValue& raw, const FontContext& fonts);
std::int32_t FontMember(const Bytes& font, std::int32_t element, std::int32_t pixels_per_inch);
std::string FontFaceName(const Bytes& font);
// Writes one member (or, for element -1, all seven from a FontRecord at the value's address).
void SetFontMember(Bytes& font, std::int32_t element, std::uint64_t value, std::int32_t pixels_per_inch);

}  // namespace quarrow::forms
