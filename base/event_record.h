// The records in which units and the window engine raise events (runtime notify codes 2008 and 2031), and how the
// arguments of each reach the handler.
//
//   EventRecord       window id, unit id (0: the window's own record), event number, argument count (0 to 5),
//                     five argument words, a word the runtime sets to 1 when the handler returned a value, and
//                     that value. Eleven words on 32-bit targets; argument words are pointer-sized.
//   TypedEventRecord  window id, unit id, event number, argument count (0 to 12), twelve 16-byte event argument
//                     records, the returned flag and the 64-bit value (two words, low first).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/value.h"

namespace quarrow::forms {

// Common event numbers: every unit has them.
namespace common_event {
inline constexpr std::int32_t kLeftDown = -1;
inline constexpr std::int32_t kLeftUp = -2;
inline constexpr std::int32_t kLeftDoubleClick = -3;
inline constexpr std::int32_t kRightDown = -4;
inline constexpr std::int32_t kRightUp = -5;
inline constexpr std::int32_t kMouseMove = -6;
inline constexpr std::int32_t kGotFocus = -7;
inline constexpr std::int32_t kLostFocus = -8;
inline constexpr std::int32_t kKeyDown = -9;
inline constexpr std::int32_t kKeyUp = -10;
inline constexpr std::int32_t kCharacter = -11;
inline constexpr std::int32_t kWheel = -12;
}  // namespace common_event

inline constexpr std::int32_t kMaxEventArguments = 5;
inline constexpr std::int32_t kMaxTypedEventArguments = 12;

struct EventRecord {
  std::uint32_t window_id = 0;
  std::uint32_t unit_id = 0;
  std::int32_t event = 0;
  std::int32_t argument_count = 0;
  std::uintptr_t arguments[kMaxEventArguments] = {};
  std::uint32_t returned = 0;
  std::int32_t value = 0;
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(EventRecord) == 11 * 4);
#endif

struct TypedEventRecord {
  std::uint32_t window_id = 0;
  std::uint32_t unit_id = 0;
  std::int32_t event = 0;
  std::int32_t argument_count = 0;
  EventArgRecord arguments[kMaxTypedEventArguments] = {};
  std::uint32_t returned = 0;
  std::uint32_t value_low = 0;
  std::uint32_t value_high = 0;

  void SetValue(std::int64_t v) {
    value_low = static_cast<std::uint32_t>(v);
    value_high = static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) >> 32);
  }
  std::int64_t Value() const {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(value_high) << 32) | value_low);
  }
};
static_assert(sizeof(TypedEventRecord) == 16 + 12 * 16 + 12);

// The argument words a simple record hands over: argument count of them, clamped to 0..5.
std::vector<std::uintptr_t> EventWords(const EventRecord& record);
// The words a typed record hands over: by-reference arguments pass their address; both words for the flag, long,
// double, date-time, 0x80000008 and unit-type 0x00010003; a byte zero-extended, a short sign-extended; texts, byte
// sets, subroutines and arrays their address; everything else word 1.
std::vector<std::uintptr_t> TypedEventWords(const TypedEventRecord& record);

}  // namespace quarrow::forms
