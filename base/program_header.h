// The records through which a program image describes itself to the runtime: the program header, the library
// descriptors with their unit-type and property tables, and the signatures of the routines they point to.
//
// On 32-bit Windows every field is a 32-bit word; addresses and routines are pointer-sized here, so the win32 build
// has exactly the documented layout (pinned below) and the win64 build widens only those fields.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/value.h"

namespace quarrow {

// A library command: fills *result (already zeroed by the runtime) from count argument records.
using CommandRoutine = void (*)(ValueRecord* result, std::int32_t count, ValueRecord* args);

// The runtime's notify entry and each library's notify entry: (code, argument 1, argument 2) → result.
using NotifyRoutine = std::intptr_t (*)(std::int32_t code, std::uintptr_t arg1, std::uintptr_t arg2);

// What a unit type's interface routine hands out for an operation code; callers cast it to the operation's type.
using UnitOperation = void (*)();
using UnitInterface = UnitOperation (*)(std::int32_t operation);

// One property of a unit type: 20 bytes, the type code in the low half of the type word, flags in the high half.
struct PropertyEntry {
  std::uint32_t reserved[3] = {0, 0, 0};
  std::uint32_t type_word = 0;
  std::uint32_t reserved2 = 0;

  constexpr std::uint16_t TypeCode() const { return static_cast<std::uint16_t>(type_word & 0xFFFF); }
  constexpr std::uint16_t Flags() const { return static_cast<std::uint16_t>(type_word >> 16); }
};
static_assert(sizeof(PropertyEntry) == 20);

constexpr PropertyEntry Property(std::uint16_t type_code, std::uint16_t flags) {
  return PropertyEntry{{0, 0, 0}, (static_cast<std::uint32_t>(flags) << 16) | type_code, 0};
}

// Fourteen words per unit type; an empty slot is all zero.
struct UnitTypeEntry {
  const char* chinese_name;
  const char* english_name;
  std::uint32_t reserved1[3];
  std::uint32_t flags;
  std::uint32_t reserved2[3];
  std::uint32_t property_count;
  const PropertyEntry* properties;
  UnitInterface unit_interface;
  std::uint32_t reserved3[2];

  bool Empty() const { return english_name == nullptr && unit_interface == nullptr && property_count == 0; }
};

struct LibraryDescriptor {
  std::uint32_t format_code;          // 0x01312D65
  const char* identifier;             // 32 hexadecimal digits
  std::uint32_t numbers[3];
  std::uint32_t more_numbers[4];
  const char* display_name;
  std::uint32_t one;                  // 1
  std::uint32_t info[10];
  std::uint32_t unit_type_count;
  const UnitTypeEntry* unit_types;
  std::uint32_t reserved1[2];
  std::uint32_t command_count;
  std::uint32_t reserved2;
  const CommandRoutine* commands;
  std::uint32_t reserved3[2];
  NotifyRoutine notify;
  std::uint32_t reserved4[5];
};

inline constexpr std::uint32_t kLibraryFormatCode = 0x01312D65;

struct ProgramHeader {
  std::uint32_t program_mode;
  std::uint32_t reserved_a;
  std::uint32_t reserved_b;
  const void* code_base;                       // event-handler offsets count from here
  const void* constant_data;
  std::uint32_t constant_data_size;            // 0: no constant data block
  const void* form_description;
  std::uint32_t form_description_size;         // 0: no windows
  std::uint32_t library_count;
  const LibraryDescriptor* const* libraries;
  std::uint32_t dll_command_count;
  const char* const* dll_library_names;
  const char* const* dll_entry_names;
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(ProgramHeader) == 52);
static_assert(offsetof(ProgramHeader, code_base) == 12);
static_assert(offsetof(ProgramHeader, form_description_size) == 28);
static_assert(offsetof(ProgramHeader, libraries) == 36);
static_assert(offsetof(ProgramHeader, dll_entry_names) == 48);
static_assert(sizeof(UnitTypeEntry) == 14 * 4);
static_assert(offsetof(UnitTypeEntry, flags) == 5 * 4);
static_assert(offsetof(UnitTypeEntry, property_count) == 9 * 4);
static_assert(offsetof(UnitTypeEntry, unit_interface) == 11 * 4);
static_assert(offsetof(LibraryDescriptor, display_name) == 9 * 4);
static_assert(offsetof(LibraryDescriptor, unit_type_count) == 21 * 4);
static_assert(offsetof(LibraryDescriptor, command_count) == 25 * 4);
static_assert(offsetof(LibraryDescriptor, commands) == 27 * 4);
static_assert(offsetof(LibraryDescriptor, notify) == 30 * 4);
static_assert(sizeof(LibraryDescriptor) == 36 * 4);
#endif

// An event handler of the application: takes its arguments as words and reports whether it returned a value.
struct HandlerResult {
  bool returned = false;
  std::int64_t value = 0;
};
using HandlerRoutine = HandlerResult (*)(const std::uintptr_t* args, std::int32_t count);

// The application's handler table is the code base. A handler offset in a form description is the byte offset of
// its slot; slots are eight bytes on every target so that the stored offsets do not depend on the pointer size.
struct alignas(8) HandlerSlot {
  HandlerRoutine routine;
};
static_assert(sizeof(HandlerSlot) == 8);

}  // namespace quarrow
