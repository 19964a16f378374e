#include "units/unit_operations.h"

#include <algorithm>

namespace quarrow {

namespace {

std::int32_t SetChildProperty(void* unit, std::int32_t local_index, const RawValue* value, std::uint32_t* out) {
  if (out != nullptr) *out = 0;
  if (unit == nullptr || value == nullptr || local_index < 0) return 0;
  ChildUnit* child = AsChildUnit(unit);
  if (child->Window() == nullptr) return 0;
  ChildUnit::Guard guard(*child);
  return child->SetProperty(local_index, *value);
}

std::int32_t GetChildProperty(void* unit, std::int32_t local_index, RawValue* value) {
  if (unit == nullptr || value == nullptr || local_index < 0) return 0;
  ChildUnit* child = AsChildUnit(unit);
  if (child->Window() == nullptr) return 0;
  ChildUnit::Guard guard(*child);
  *value = {};
  return child->GetProperty(local_index, value) ? 1 : 0;
}

HGLOBAL SaveChildProperties(void* unit, std::uint32_t* length) {
  if (length != nullptr) *length = 0;
  if (unit == nullptr || length == nullptr) return nullptr;
  ChildUnit* child = AsChildUnit(unit);
  if (child->Window() == nullptr) return nullptr;
  ChildUnit::Guard guard(*child);
  return BlockToGlobal(child->SaveProperties(), length);
}

}  // namespace

HGLOBAL BlockToGlobal(const Bytes& block, std::uint32_t* length) {
  *length = 0;
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, std::max<std::size_t>(block.size(), 1));
  if (memory == nullptr) return nullptr;
  if (void* data = ::GlobalLock(memory)) {
    if (!block.empty()) std::memcpy(data, block.data(), block.size());
    ::GlobalUnlock(memory);
  } else {
    ::GlobalFree(memory);
    return nullptr;
  }
  *length = static_cast<std::uint32_t>(block.size());
  return memory;
}

UnitOperation SharedOperation(std::int32_t code) {
  switch (code) {
    case unit_operation::kSetProperty: return AsUnitOperation(&SetChildProperty);
    case unit_operation::kSaveProperties: return AsUnitOperation(&SaveChildProperties);
    case unit_operation::kGetProperty: return AsUnitOperation(&GetChildProperty);
    default: return nullptr;
  }
}

void TextVisit::Text(std::string& text) const {
  // The visitor sees a zero-terminated text it may change in place.
  visitor_(text.data(), 0, context_);
  text.resize(std::strlen(text.c_str()));
}

void TextVisit::FontFace(Bytes& font) const {
  if (!HoldsLogFont(font)) return;
  char face[kLogFontFaceNameSize + 1] = {};
  std::memcpy(face, font.data() + kLogFontFaceNameOffset, kLogFontFaceNameSize);
  visitor_(face, 1, context_);
  std::memcpy(font.data() + kLogFontFaceNameOffset, face, kLogFontFaceNameSize);
}

}  // namespace quarrow
