// The window unit type of the core library: its interface routine and its property table.
#include "forms/win_form_unit.h"
#include "units/unit_operations.h"

namespace quarrow::forms {

namespace {

WinFormUnit* AsWindow(void* unit) { return static_cast<WinFormUnit*>(static_cast<UnitObject*>(unit)); }

void* CreateWindowUnit(const void* block, std::int32_t length, std::uint32_t style, HWND owner, std::uint32_t,
                       std::uintptr_t modal, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                       std::uint32_t window_id, std::uint32_t unit_id, std::uintptr_t menu, std::int32_t) {
  WinFormUnit* unit = WinFormUnit::Create(block, length, style, owner, modal != 0, reinterpret_cast<HMENU>(menu), x,
                                          y, width, height, window_id, unit_id);
  return unit ? static_cast<UnitObject*>(unit) : nullptr;
}

// Each operation keeps the window object alive while it runs, as the child units' do: a change may raise events
// whose handlers close the window.
std::int32_t SetWindowProperty(void* unit, std::int32_t local_index, const RawValue* value, std::uint32_t* out) {
  if (out != nullptr) *out = 0;
  if (unit == nullptr || value == nullptr || AsWindow(unit)->Window() == nullptr) return 0;
  WinFormUnit::Guard guard(*AsWindow(unit));
  return AsWindow(unit)->SetProperty(local_index, *value);
}

std::int32_t GetWindowProperty(void* unit, std::int32_t local_index, RawValue* value) {
  if (unit == nullptr || value == nullptr || AsWindow(unit)->Window() == nullptr) return 0;
  WinFormUnit::Guard guard(*AsWindow(unit));
  return AsWindow(unit)->GetProperty(local_index, value);
}

HGLOBAL SaveWindowUnit(void* unit, std::uint32_t* length) {
  if (unit == nullptr || length == nullptr) return nullptr;
  WinFormUnit::Guard guard(*AsWindow(unit));
  return BlockToGlobal(AsWindow(unit)->Save(), length);
}

HGLOBAL ExtractWindowIcon(const void* block, std::int32_t length) {
  const Bytes icon = WindowIconData(PropertyBlockBytes(block, length));
  std::uint32_t icon_length = 0;
  return icon.empty() ? nullptr : BlockToGlobal(icon, &icon_length);
}

// The texts of the window's block: the title, the help file name and the window class name.
HGLOBAL VisitWindowTexts(const void* block, std::uint32_t* length, TextVisitor visitor, void* context) {
  if (length == nullptr) return nullptr;
  WindowProperties scratch;
  if (!LoadWindowProperties(PropertyBlockBytes(block, static_cast<std::int32_t>(*length)), &scratch)) return nullptr;
  if (visitor != nullptr) {
    for (std::string* text : {&scratch.title, &scratch.help_file, &scratch.class_name}) {
      std::string buffer = *text;
      buffer.push_back('\0');
      visitor(buffer.data(), 0, context);
      *text = buffer.c_str();
    }
  }
  return BlockToGlobal(SaveWindowProperties(scratch), length);
}

}  // namespace

// The common properties, then the window's own. The help file name carries a text code (1007).
constinit const std::array<PropertyEntry, kCommonPropertyCount + window_property::kOwnPropertyCount>
    kWindowPropertyTable = PropertyTable({
        0x800003ED,  // title
        0x800003EE,  // border style
        0x800003F9,  // background colour
        0x800003F1,  // background picture
        0x800003EE,  // picture mode
        0x800003F4,  // background music
        0x800003EE,  // music mode
        0x800003EB,  // control box
        0x800003EB,  // maximize button
        0x800003EB,  // minimize button
        0x800003EE,  // start position
        0x800003EB,  // close button
        0x800003F2,  // icon
        0x800003EB,  // Enter moves focus
        0x800003EB,  // Escape closes
        0x800003EB,  // F1 opens help
        0x800003EF,  // help file
        0x800003E9,  // help context
        0x800003EB,  // show in task bar
        0x800003EB,  // drag by client area
        0x800003EE,  // property 28
        0x800003EB,  // always on top
        0x800003EB,  // property 30
        0x800003ED,  // window class name
    });

UnitOperation WindowUnitInterface(std::int32_t operation) {
  switch (operation) {
    case unit_operation::kCreateUnit: return reinterpret_cast<UnitOperation>(&CreateWindowUnit);
    case unit_operation::kSetProperty: return reinterpret_cast<UnitOperation>(&SetWindowProperty);
    case unit_operation::kSaveProperties: return reinterpret_cast<UnitOperation>(&SaveWindowUnit);
    case unit_operation::kGetProperty: return reinterpret_cast<UnitOperation>(&GetWindowProperty);
    case unit_operation::kExtractIcon: return reinterpret_cast<UnitOperation>(&ExtractWindowIcon);
    case unit_operation::kVisitTexts: return reinterpret_cast<UnitOperation>(&VisitWindowTexts);
    default: return nullptr;
  }
}

}  // namespace quarrow::forms
