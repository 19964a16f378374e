#include "base/property_values.h"

#include <cstring>

namespace quarrow::forms {

namespace {

// Offsets inside a LOGFONTA.
constexpr std::size_t kHeight = 0;
constexpr std::size_t kWidth = 4;
constexpr std::size_t kEscapement = 8;
constexpr std::size_t kOrientation = 12;
constexpr std::size_t kWeight = 16;
constexpr std::size_t kItalic = 20;
constexpr std::size_t kUnderline = 21;
constexpr std::size_t kStrikeOut = 22;
constexpr std::size_t kFaceName = 28;
constexpr std::size_t kFaceNameSize = 32;

constexpr std::uint32_t kCursorIdentifiers[] = {
    0,      // 0 the default pointer
    32512,  // arrow
    32515,  // cross
    32513,  // I-beam
    32514,  // wait
    32651,  // help
    32650,  // app starting
    32648,  // no
    32646,  // size all
    32643,  // size NE-SW
    32645,  // size N-S
    32642,  // size NW-SE
    32644,  // size W-E
    32516,  // up arrow
    32649,  // hand
};

std::int32_t GetI32(const Bytes& b, std::size_t at) {
  std::int32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}
void PutI32(Bytes& b, std::size_t at, std::int32_t v) { std::memcpy(b.data() + at, &v, 4); }

// The platform's MulDiv: a × b / c, rounded half away from zero.
std::int32_t MulDivRound(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = (product < 0 ? -product : product);
  const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
  const std::int64_t q = (magnitude + divisor / 2) / divisor;
  return static_cast<std::int32_t>(negative ? -q : q);
}

std::uint64_t AddressValue(const void* p) { return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(p)); }

const void* AddressOf(std::uint64_t value) { return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(value)); }

// The bytes of the byte set at an address (a null address is the empty byte set).
Bytes BytesOfByteSet(std::uint64_t value) {
  const ByteSetView view = ByteSetView::Of(AddressOf(value));
  return Bytes(view.data, view.data + view.size);
}

}  // namespace

PropertyKind KindOfTypeCode(std::uint16_t code) {
  switch (code) {
    case 1000:
    case 1001: return PropertyKind::kInteger;
    case 1002:
    case 1004: return PropertyKind::kLong;
    case 1003: return PropertyKind::kLogical;
    case 1006: return PropertyKind::kChoice;
    case 1009:
    case 1010:
    case 1012:
    case 1023:
    case 1024: return PropertyKind::kBytes;
    case 1011: return PropertyKind::kMousePointer;
    case 1013: return PropertyKind::kFont;
    case 1014:
    case 1015:
    case 1017: return PropertyKind::kColour;
    default:
      // 1005 and the other codes up to 1024 are texts; codes outside the table carry a plain word.
      return code >= 1000 && code <= 1024 ? PropertyKind::kText : PropertyKind::kInteger;
  }
}

std::uint32_t CursorIdentifierOfNumber(std::uint32_t number) {
  return number < std::size(kCursorIdentifiers) ? kCursorIdentifiers[number] : number;
}

std::uint32_t CursorNumberOfIdentifier(std::uint32_t identifier) {
  for (std::uint32_t n = 0; n < std::size(kCursorIdentifiers); ++n) {
    if (kCursorIdentifiers[n] == identifier) return n;
  }
  return identifier;
}

void CursorDataToNumber(Bytes& data) {
  if (data.size() < 4) return;
  std::uint32_t word;
  std::memcpy(&word, data.data(), 4);
  word = CursorNumberOfIdentifier(word);
  std::memcpy(data.data(), &word, 4);
}

void CursorDataToIdentifier(Bytes& data) {
  if (data.size() < 4) return;
  std::uint32_t word;
  std::memcpy(&word, data.data(), 4);
  word = CursorIdentifierOfNumber(word);
  std::memcpy(data.data(), &word, 4);
}

Bytes EffectiveFont(const RawValue& raw, const FontContext& fonts) {
  if (raw.word1 != 0 && raw.word2 == kFontDescriptionSize) {
    const auto* p = static_cast<const std::uint8_t*>(raw.Address());
    return Bytes(p, p + kFontDescriptionSize);
  }
  if (fonts.default_font.size() == kFontDescriptionSize) return fonts.default_font;
  return Bytes(kFontDescriptionSize, 0);
}

std::string FontFaceName(const Bytes& font) {
  const char* face = reinterpret_cast<const char*>(font.data() + kFaceName);
  return std::string(face, strnlen(face, kFaceNameSize));
}

std::int32_t FontMember(const Bytes& font, std::int32_t element, std::int32_t pixels_per_inch) {
  switch (element) {
    case 0: return GetI32(font, kOrientation);
    case 1: return GetI32(font, kWeight) >= 700 ? 1 : 0;
    case 2: return font[kItalic] ? 1 : 0;
    case 3: return font[kStrikeOut] ? 1 : 0;
    case 4: return font[kUnderline] ? 1 : 0;
    case 5: {
      const std::int32_t height = GetI32(font, kHeight);
      return MulDivRound(height < 0 ? -height : height, 72, pixels_per_inch);
    }
    default: return 0;
  }
}

void SetFontMember(Bytes& font, std::int32_t element, std::uint64_t value, std::int32_t pixels_per_inch) {
  const auto word = static_cast<std::int32_t>(value);
  switch (element) {
    case 0:
      PutI32(font, kEscapement, word % 3600);
      PutI32(font, kOrientation, word % 3600);
      break;
    case 1: PutI32(font, kWeight, word != 0 ? 700 : 0); break;
    case 2: font[kItalic] = word != 0; break;
    case 3: font[kStrikeOut] = word != 0; break;
    case 4: font[kUnderline] = word != 0; break;
    case 5:
      PutI32(font, kHeight, -MulDivRound(word, pixels_per_inch, 72));
      PutI32(font, kWidth, 0);
      break;
    case 6: {
      const char* text = static_cast<const char*>(AddressOf(value));
      const std::size_t n = text ? std::strlen(text) : 0;
      const std::string face = n >= 1 && n <= 31 ? std::string(text, n) : std::string("宋体");
      std::memset(font.data() + kFaceName, 0, kFaceNameSize);
      std::memcpy(font.data() + kFaceName, face.data(), face.size());
      break;
    }
    case -1: {
      const auto* record = static_cast<const FontRecord*>(AddressOf(value));
      if (record == nullptr) break;
      const FontRecord r = *record;
      SetFontMember(font, 0, static_cast<std::uint32_t>(r.angle), pixels_per_inch);
      SetFontMember(font, 1, static_cast<std::uint32_t>(r.bold), pixels_per_inch);
      SetFontMember(font, 2, static_cast<std::uint32_t>(r.italic), pixels_per_inch);
      SetFontMember(font, 3, static_cast<std::uint32_t>(r.strike_out), pixels_per_inch);
      SetFontMember(font, 4, static_cast<std::uint32_t>(r.underline), pixels_per_inch);
      SetFontMember(font, 5, static_cast<std::uint32_t>(r.size), pixels_per_inch);
      SetFontMember(font, 6, AddressValue(r.face_name), pixels_per_inch);
      break;
    }
    default: break;
  }
}

std::uint64_t ValueForReader(std::uint16_t type_code, const RawValue& raw, std::int32_t element,
                             const FontContext& fonts, RuntimeMemory& memory) {
  switch (KindOfTypeCode(type_code)) {
    case PropertyKind::kInteger:
    case PropertyKind::kChoice:
    case PropertyKind::kColour: return raw.Word();
    case PropertyKind::kLong:
      return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(raw.word2)) << 32) | raw.Word();
    case PropertyKind::kLogical: return raw.Word() == 1 ? 1 : 0;
    case PropertyKind::kText: return AddressValue(memory.CopyText(static_cast<const char*>(raw.Address())));
    case PropertyKind::kBytes:
      return AddressValue(raw.word1 ? memory.ByteSetFromBytes(raw.Address(), raw.word2) : nullptr);
    case PropertyKind::kMousePointer: {
      if (raw.word1 == 0) return 0;
      const auto* p = static_cast<const std::uint8_t*>(raw.Address());
      Bytes data(p, p + raw.word2);
      CursorDataToNumber(data);
      return AddressValue(memory.ByteSetFromBytes(data.data(), data.size()));
    }
    case PropertyKind::kFont: {
      const Bytes font = EffectiveFont(raw, fonts);
      if (element == 6) return AddressValue(memory.TextFrom(FontFaceName(font)));
      if (element != -1) return static_cast<std::uint32_t>(FontMember(font, element, fonts.pixels_per_inch));
      auto* record = static_cast<FontRecord*>(memory.Allocate(sizeof(FontRecord)));
      *record = FontRecord{FontMember(font, 0, fonts.pixels_per_inch), FontMember(font, 1, fonts.pixels_per_inch),
                           FontMember(font, 2, fonts.pixels_per_inch), FontMember(font, 3, fonts.pixels_per_inch),
                           FontMember(font, 4, fonts.pixels_per_inch), FontMember(font, 5, fonts.pixels_per_inch),
                           memory.TextFrom(FontFaceName(font))};
      return AddressValue(record);
    }
  }
  return 0;
}

WriteValue::WriteValue(std::uint16_t type_code, std::int32_t element, std::uint64_t value,
                       const RawValue& current_font, const FontContext& fonts)
    : kind_(KindOfTypeCode(type_code)), value_(value) {
  switch (kind_) {
    case PropertyKind::kText: {
      const char* text = static_cast<const char*>(AddressOf(value));
      const std::size_t n = text ? std::strlen(text) : 0;
      storage_.assign(text, text + n);
      storage_.push_back(0);
      break;
    }
    case PropertyKind::kBytes: storage_ = BytesOfByteSet(value); break;
    case PropertyKind::kMousePointer:
      storage_ = BytesOfByteSet(value);
      CursorDataToIdentifier(storage_);
      break;
    case PropertyKind::kFont:
      storage_ = EffectiveFont(current_font, fonts);
      SetFontMember(storage_, element, value, fonts.pixels_per_inch);
      break;
    default: break;
  }
}

RawValue WriteValue::Raw() const {
  const auto word = static_cast<std::uint32_t>(value_);
  switch (kind_) {
    case PropertyKind::kInteger:
    case PropertyKind::kColour: return {word, 0};
    case PropertyKind::kChoice: return {static_cast<std::int32_t>(word) < 0 ? 0u : word, 0};
    case PropertyKind::kLong: return {word, static_cast<std::uint32_t>(value_ >> 32)};
    case PropertyKind::kLogical: return {word != 0 ? 1u : 0u, 0};
    case PropertyKind::kText: return {reinterpret_cast<std::uintptr_t>(storage_.data()), 0};
    case PropertyKind::kBytes:
    case PropertyKind::kMousePointer:
    case PropertyKind::kFont:
      return {storage_.empty() ? 0 : reinterpret_cast<std::uintptr_t>(storage_.data()), storage_.size()};
  }
  return {};
}

}  // namespace quarrow::forms
