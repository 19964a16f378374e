// Form descriptions: the byte stream that describes a program's windows and every unit on them. The runtime reads
// it once at start-up; the build-time tool writes the application's window with the same writer the tests use.
//
// The stream, little-endian throughout:
//   window table   counted buffer of 8 × w bytes: w window ids, then w words the reader ignores
//   per window     word A, word B, counted text, counted text, the unit list
//   unit list      word u, then a counted buffer: u unit ids, u record offsets (from byte 8 × u of the buffer),
//                  and at each offset a word n followed by n bytes of record data
//
// A unit record is either an ordinary unit record or, for unit type 0x00010003, a menu-item record (layouts in
// UnitRecord and MenuItemRecord below). Record 0 of every window describes the window itself.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "forms/unit_list.h"
#include "base/byte_stream.h"
#include "base/value.h"

namespace quarrow::forms {

// Ids: bits 28-31 class, 24-27 kind, 0-23 serial number. Valid when serial number and kind are both non-zero.
inline constexpr std::uint32_t IdClass(std::uint32_t id) { return id >> 28; }
inline constexpr std::uint32_t IdKind(std::uint32_t id) { return (id >> 24) & 0xF; }
inline constexpr std::uint32_t IdSerial(std::uint32_t id) { return id & 0xFFFFFF; }
inline constexpr bool IdValid(std::uint32_t id) { return IdSerial(id) != 0 && IdKind(id) != 0; }
inline constexpr bool IsMenuItemId(std::uint32_t id) { return IdClass(id) == 2 && IdKind(id) == 6; }

inline constexpr DataType kWindowUnitType = 0x00010001;
inline constexpr DataType kMenuItemUnitType = 0x00010003;

// A handler in the stream is a byte offset from the program's code base; -1 means none.
inline constexpr std::int32_t kNoHandler = -1;

// The address a stored handler offset stands for once the form descriptions are read: -1 is none (0), any other
// offset counts from the code base (so offset 0 is the code base itself).
inline std::uintptr_t ResolveHandler(const void* code_base, std::int32_t offset) {
  if (offset == kNoHandler) return 0;
  return reinterpret_cast<std::uintptr_t>(code_base) + static_cast<std::uintptr_t>(static_cast<std::intptr_t>(offset));
}

// Bits of a unit record's state flags.
namespace state_flag {
inline constexpr std::uint32_t kVisible = 1;
inline constexpr std::uint32_t kDisabled = 2;
inline constexpr std::uint32_t kTabStop = 4;
inline constexpr std::uint32_t kMenuFlag = 8;  // window record only: handed to the menu builder
}  // namespace state_flag

struct EventBinding {
  std::int32_t event = 0;
  std::int32_t handler = kNoHandler;
  bool operator==(const EventBinding&) const = default;
};

// An ordinary unit record, in stream order.
struct UnitRecord {
  DataType unit_type = 0;
  std::uint32_t event_source = 0;         // another unit of the same type whose event table this one uses
  std::array<std::uint8_t, 16> reserved{};
  std::string name;
  std::string second_name;
  std::uint32_t object_slot = 0;          // 0 in the stream
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  std::uint32_t cursor_slot = 0;          // 0 in the stream
  std::uint32_t parent = 0;               // the containing unit; 0 = the window
  std::vector<std::uint32_t> page_list;   // paged containers: unit ids, pages separated by 0
  Bytes mouse_pointer{0, 0, 0, 0};        // cursor file bytes, or a word holding a platform cursor id
  std::string tag;
  std::uint32_t reserved_word = 0;
  std::uint32_t state = 0;                // state_flag bits
  std::int32_t tab_order = 0;
  std::vector<EventBinding> events;
  std::array<std::uint8_t, 20> reserved_tail{};
  Bytes properties;                       // the unit type's stored property block: the rest of the record

  bool operator==(const UnitRecord&) const = default;
};

// A menu-item record (unit type 0x00010003).
struct MenuItemRecord {
  DataType unit_type = kMenuItemUnitType;
  std::uint32_t event_source = 0;
  std::array<std::uint8_t, 16> reserved{};
  std::string name;
  std::string second_name;
  std::uint32_t slot = 0;
  std::uint32_t word = 0;
  std::uint32_t flags = 0;                // bits 0 to 2: the item's logical properties
  std::string text;
  std::int32_t handler = kNoHandler;      // the item's only event

  bool operator==(const MenuItemRecord&) const = default;
};

using UnitData = std::variant<UnitRecord, MenuItemRecord>;

inline bool IsMenuItem(const UnitData& data) { return std::holds_alternative<MenuItemRecord>(data); }

// One record's bytes ↔ its fields. Parsing fails (nothing) on a record that ends early.
std::optional<UnitData> ParseUnitRecord(std::span<const std::uint8_t> record);
Bytes EncodeUnitRecord(const UnitData& data);

struct WindowDescription {
  std::uint32_t id = 0;
  std::uint32_t value_a = 8;
  std::uint32_t value_b = 0x19010002;
  std::string text_a;
  std::string text_b;
  UnitList units;
};

struct FormDescription {
  std::vector<WindowDescription> windows;
};

// Reads a whole stream; nothing when any part of it cannot be read (every unit record is parsed too, so that a
// window read here never fails later for want of bytes). Bytes after the last window are ignored.
std::optional<FormDescription> ReadFormDescription(std::span<const std::uint8_t> stream);
Bytes WriteFormDescription(const FormDescription& form);

}  // namespace quarrow::forms
