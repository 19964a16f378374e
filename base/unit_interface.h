// The contract between the window engine and the unit types: the operations a unit type's interface routine
// hands out by code, and the object every unit type creates.
//
// A unit type's entry (runtime/program_header.h) names its interface routine: given an operation code it returns
// the routine that implements it, or null. The engine casts what it gets to the typed signature below.
//
// Every unit object derives from UnitObject, and CreateUnit returns a pointer to that base (as void*): the engine
// reaches the unit's platform window through it for the common properties, the focus order and the common events.
// A unit object deletes itself after its window is gone (after WM_NCDESTROY it sends runtime notify code 2000 with
// its window id and unit id, then deletes itself).
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/property_values.h"
#include "base/program_header.h"

namespace quarrow {

using forms::RawValue;

class UnitObject {
 public:
  virtual ~UnitObject() = default;
  // The unit's own platform window; null before creation and after WM_NCDESTROY.
  HWND Window() const { return window_; }

 protected:
  HWND window_ = nullptr;
};

namespace unit_operation {
inline constexpr std::int32_t kCreateUnit = 1;
inline constexpr std::int32_t kSetProperty = 4;
inline constexpr std::int32_t kSaveProperties = 5;
inline constexpr std::int32_t kGetProperty = 6;
inline constexpr std::int32_t kExtractIcon = 7;  // the window type only
inline constexpr std::int32_t kWantsKey = 8;
inline constexpr std::int32_t kVisitTexts = 9;
inline constexpr std::int32_t kIsDefaultButton = 10;
inline constexpr std::int32_t kPreTranslate = 11;
}  // namespace unit_operation

// 1: builds the unit from its stored property block and returns its object (a UnitObject*), or null when the
//    block cannot be loaded or the window cannot be created. style holds WS_DISABLED and WS_TABSTOP as the record
//    asks; every child unit adds WS_CHILD | WS_CLIPSIBLINGS and leaves WS_VISIBLE to the engine. For the window
//    type, parent is the owner window (or null), reserved_a the modal flag of the load and reserved_b the menu
//    handle to give the window (destroyed by the window type when creation fails).
using CreateUnitOperation = void* (*)(const void* block, std::int32_t length, std::uint32_t style, HWND parent,
                                      std::uint32_t control_id, std::uintptr_t reserved_a, std::int32_t x,
                                      std::int32_t y, std::int32_t width, std::int32_t height,
                                      std::uint32_t window_id, std::uint32_t unit_id, std::uintptr_t reserved_b,
                                      std::int32_t design);

// 4: stores the raw value of the property with this local index (property index − 8) and applies it. *out, when
//    given, is cleared. Returns 1 when the change needs the unit re-created (the value is stored already), else 0;
//    a local index beyond the type's table changes nothing and returns 0. The unit copies what it keeps.
using SetPropertyOperation = std::int32_t (*)(void* unit, std::int32_t local_index, const RawValue* value,
                                              std::uint32_t* out);

// 5: the unit's stored property block in a new movable global memory block (GMEM_MOVEABLE), its length in
//    *length; the caller frees it with GlobalFree.
using SavePropertiesOperation = HGLOBAL (*)(void* unit, std::uint32_t* length);

// 6: fills *value with the raw value of the property with this local index; 1 when the index is known, else 0.
//    Texts, bytes and fonts point into the unit's own storage; the engine copies them at once.
using GetPropertyOperation = std::int32_t (*)(void* unit, std::int32_t local_index, RawValue* value);

// 7 (window type): the icon bytes of a stored property block in a new movable memory block, or null.
using ExtractIconOperation = HGLOBAL (*)(const void* block, std::int32_t length);

// 8: true when the unit wants the key itself instead of letting the window navigate with it.
using WantsKeyOperation = BOOL (*)(void* unit, std::uint32_t virtual_key);

// 9: loads the block into a scratch property set, calls the visitor on every text it holds (face_name 1 for the
//    face name inside a stored font) and saves the scratch set into a new movable memory block whose length
//    replaces *length. Changes the visitor makes in place are carried into the new block.
using TextVisitor = void (*)(char* text, std::int32_t face_name, void* context);
using VisitTextsOperation = HGLOBAL (*)(const void* block, std::uint32_t* length, TextVisitor visitor,
                                        void* context);

// 10: true when the unit's window has the default-push-button style.
using IsDefaultButtonOperation = BOOL (*)(void* unit);

// 11 (types with flag 0x20): offered every message for the unit's window before the window's keys and the common
//    events; true consumes it.
using PreTranslateOperation = BOOL (*)(void* unit, MSG* message);

// The operation of a unit type's interface routine, or null.
template <class Operation>
Operation UnitTypeOperation(UnitInterface routine, std::int32_t code) {
  if (routine == nullptr) return nullptr;
  return reinterpret_cast<Operation>(routine(code));
}

// Unit-type flag bits the engine examines.
namespace unit_flag {
inline constexpr std::uint32_t kRaisesEventsA = 0x4;
inline constexpr std::uint32_t kWindowType = 0x10;
inline constexpr std::uint32_t kPreTranslates = 0x20;
inline constexpr std::uint32_t kRaisesEvents = 0x40;
inline constexpr std::uint32_t kContainer = 0x80;
inline constexpr std::uint32_t kPaged = 0x100;
inline constexpr std::uint32_t kInnerWindowsA = 0x200;
inline constexpr std::uint32_t kRadioMnemonic = 0x400;
inline constexpr std::uint32_t kDefaultButton = 0x800;
inline constexpr std::uint32_t kCheckMnemonic = 0x1000;
inline constexpr std::uint32_t kCaption = 0x2000;
inline constexpr std::uint32_t kMnemonicOnward = 0x4000;
inline constexpr std::uint32_t kNeverShown = 0x8000;
inline constexpr std::uint32_t kNoFocus = 0x10000;
inline constexpr std::uint32_t kInnerWindowsB = 0x200000;
inline constexpr std::uint32_t kDragsWindow = 0x4000000;
inline constexpr std::uint32_t kMnemonicSearch = kRadioMnemonic | kDefaultButton | kCheckMnemonic | kCaption |
                                                  kMnemonicOnward;
}  // namespace unit_flag

// Messages the engine sends to units.
namespace unit_message {
inline constexpr UINT kAllCreated = 0x806F;   // also: a data provider appeared or was renamed (wParam: name)
inline constexpr UINT kProviderWindow = 0x8070;
inline constexpr UINT kWindowLoaded = 0x8076;
inline constexpr UINT kWindowUnitsCreated = 0x8004;  // to the window after 0x806F went to every unit
}  // namespace unit_message

}  // namespace quarrow
