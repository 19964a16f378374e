// The window unit type of the core library: its interface routine and its property table.
#include <cstring>

#include "forms/win_form_unit.h"

namespace quarrow::forms {

namespace {

WinFormUnit* AsWindow(void* unit) { return static_cast<WinFormUnit*>(static_cast<UnitObject*>(unit)); }

HGLOBAL MovableBlock(const Bytes& bytes) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
  if (block == nullptr) return nullptr;
  if (void* data = ::GlobalLock(block)) {
    if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
    ::GlobalUnlock(block);
  }
  return block;
}

std::span<const std::uint8_t> BlockBytes(const void* block, std::int64_t length) {
  if (block == nullptr || length < 1) return {};
  return {static_cast<const std::uint8_t*>(block), static_cast<std::size_t>(length)};
}

void* CreateWindowUnit(const void* block, std::int32_t length, std::uint32_t style, HWND owner, std::uint32_t,
                       std::uintptr_t modal, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                       std::uint32_t window_id, std::uint32_t unit_id, std::uintptr_t menu, std::int32_t) {
  WinFormUnit* unit = WinFormUnit::Create(block, length, style, owner, modal != 0, reinterpret_cast<HMENU>(menu), x,
                                          y, width, height, window_id, unit_id);
  return unit ? static_cast<UnitObject*>(unit) : nullptr;
}

std::int32_t SetWindowProperty(void* unit, std::int32_t local_index, const RawValue* value, std::uint32_t* out) {
  if (out != nullptr) *out = 0;
  if (unit == nullptr || value == nullptr || AsWindow(unit)->Window() == nullptr) return 0;
  return AsWindow(unit)->SetProperty(local_index, *value);
}

std::int32_t GetWindowProperty(void* unit, std::int32_t local_index, RawValue* value) {
  if (unit == nullptr || value == nullptr || AsWindow(unit)->Window() == nullptr) return 0;
  return AsWindow(unit)->GetProperty(local_index, value);
}

HGLOBAL SaveWindowUnit(void* unit, std::uint32_t* length) {
  if (unit == nullptr) return nullptr;
  const Bytes bytes = AsWindow(unit)->Save();
  if (length != nullptr) *length = static_cast<std::uint32_t>(bytes.size());
  return MovableBlock(bytes);
}

HGLOBAL ExtractWindowIcon(const void* block, std::int32_t length) {
  const Bytes icon = WindowIconData(BlockBytes(block, length));
  return icon.empty() ? nullptr : MovableBlock(icon);
}

// The texts of the window's block: the title, the help file name and the window class name.
HGLOBAL VisitWindowTexts(const void* block, std::uint32_t* length, TextVisitor visitor, void* context) {
  if (length == nullptr) return nullptr;
  WindowProperties scratch;
  if (!LoadWindowProperties(BlockBytes(block, *length), &scratch)) return nullptr;
  if (visitor != nullptr) {
    for (std::string* text : {&scratch.title, &scratch.help_file, &scratch.class_name}) {
      std::string buffer = *text;
      buffer.push_back('\0');
      visitor(buffer.data(), 0, context);
      *text = buffer.c_str();
    }
  }
  const Bytes saved = SaveWindowProperties(scratch);
  *length = static_cast<std::uint32_t>(saved.size());
  return MovableBlock(saved);
}

constexpr PropertyEntry Own(std::uint16_t code) { return Property(code, 0x8000); }
constexpr PropertyEntry Common(std::uint16_t code) { return Property(code, 0xE000); }

}  // namespace

// The common properties, then the window's own. The help file name carries a text code (1007).
const PropertyEntry kWindowPropertyTable[kWindowPropertyCount] = {
    Common(1001), Common(1001), Common(1001), Common(1001), Common(1005), Common(1003), Common(1003), Common(1011),
    Own(1005),  // 8 title
    Own(1006),  // 9 border style
    Own(1017),  // 10 background colour
    Own(1009),  // 11 background picture
    Own(1006),  // 12 picture mode
    Own(1012),  // 13 background music
    Own(1006),  // 14 music mode
    Own(1003),  // 15 control box
    Own(1003),  // 16 maximize button
    Own(1003),  // 17 minimize button
    Own(1006),  // 18 start position
    Own(1003),  // 19 close button
    Own(1010),  // 20 icon
    Own(1003),  // 21 Enter moves focus
    Own(1003),  // 22 Escape closes
    Own(1003),  // 23 F1 opens help
    Own(1007),  // 24 help file
    Own(1001),  // 25 help context
    Own(1003),  // 26 show in task bar
    Own(1003),  // 27 drag by client area
    Own(1006),  // 28
    Own(1003),  // 29 always on top
    Own(1003),  // 30
    Own(1005),  // 31 window class name
};

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
