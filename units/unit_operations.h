// The operations of a unit-type interface routine for unit types built on ChildUnit.
//
// A unit type's interface routine looks like this:
//
//   UnitOperation EditBoxInterface(std::int32_t code) {
//     switch (code) {
//       case unit_operation::kCreateUnit: return CreateOperation<EditBox, CoreLink>();
//       case unit_operation::kVisitTexts: return VisitTextsOf<EditBoxProperties, VisitEditBoxTexts>();
//       case unit_operation::kWantsKey: return AsUnitOperation(&EditBoxWantsKey);
//       default: return SharedOperation(code);
//     }
//   }
//
// SharedOperation answers SetProperty (4), SaveProperties (5) and GetProperty (6) for every ChildUnit, each
// keeping the unit alive while it runs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "base/byte_stream.h"
#include "base/library_link.h"
#include "base/program_header.h"
#include "units/unit_base.h"
#include "base/unit_interface.h"
#include "units/unit_properties.h"

namespace quarrow {

template <class Operation>
UnitOperation AsUnitOperation(Operation operation) {
  return reinterpret_cast<UnitOperation>(operation);
}

// The unit object a unit operation receives.
inline ChildUnit* AsChildUnit(void* unit) { return static_cast<ChildUnit*>(static_cast<UnitObject*>(unit)); }

// The block in a new movable global memory block; its length in *length. Null (length 0) when memory runs out.
HGLOBAL BlockToGlobal(const Bytes& block, std::uint32_t* length);

// Operations 4, 5 and 6, shared by every ChildUnit type; null for other codes.
UnitOperation SharedOperation(std::int32_t code);

// Operation 1 for a unit type, its objects linked to the runtime through the library's link.
template <class Unit, const LibraryLink& (*LinkOf)()>
void* CreateUnitOf(const void* block, std::int32_t length, std::uint32_t style, HWND parent, std::uint32_t control_id,
                   std::uintptr_t, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                   std::uint32_t window_id, std::uint32_t unit_id, std::uintptr_t, std::int32_t design) {
  UnitCreation creation;
  creation.block = PropertyBlockBytes(block, length);
  creation.style = style;
  creation.parent = parent;
  creation.control_id = control_id;
  creation.x = x;
  creation.y = y;
  creation.width = width;
  creation.height = height;
  creation.window_id = window_id;
  creation.unit_id = unit_id;
  creation.design = design != 0;
  return ChildUnit::Build<Unit>(LinkOf(), creation);
}

template <class Unit, const LibraryLink& (*LinkOf)()>
UnitOperation CreateOperation() {
  return AsUnitOperation(&CreateUnitOf<Unit, LinkOf>);
}

// Hands the texts of a scratch property set to a VisitTexts visitor. Changes the visitor makes in place are
// kept; a zero it writes into a text ends the text there.
class TextVisit {
 public:
  TextVisit(TextVisitor visitor, void* context) : visitor_(visitor), context_(context) {}
  void Text(std::string& text) const;
  // The face name inside a stored font (only a 60-byte font has one).
  void FontFace(Bytes& font) const;
  void Texts(std::span<std::string> texts) const {
    for (std::string& text : texts) Text(text);
  }

 private:
  TextVisitor visitor_;
  void* context_;
};

// Operation 9: loads the block into a scratch property set, lets `visit` hand its texts to the visitor, saves the
// set into a new block. Null when the block cannot be loaded.
template <class Properties, void (*Visit)(Properties&, const TextVisit&)>
HGLOBAL VisitTextsIn(const void* block, std::uint32_t* length, TextVisitor visitor, void* context) {
  if (length == nullptr) return nullptr;
  Properties scratch;
  if (!scratch.Load(PropertyBlockBytes(block, static_cast<std::int32_t>(*length)))) return nullptr;
  if (visitor != nullptr) Visit(scratch, TextVisit(visitor, context));
  return BlockToGlobal(scratch.Save(), length);
}

template <class Properties, void (*Visit)(Properties&, const TextVisit&)>
UnitOperation VisitTextsOf() {
  return AsUnitOperation(&VisitTextsIn<Properties, Visit>);
}

}  // namespace quarrow
