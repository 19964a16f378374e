// The arguments of the common key, mouse and wheel events, from the platform's message words.
#pragma once

#include <cstdint>

#include "base/event_record.h"

namespace quarrow::forms {

// The virtual-key code with the numeric keypad folded onto the main keyboard: keypad digits give the digit keys'
// codes, keypad minus 189, keypad decimal point 190, keypad divide 191.
inline constexpr std::uint32_t FoldKeyCode(std::uint32_t vk) {
  if (vk >= 0x60 && vk <= 0x69) return vk - 0x60 + 0x30;
  if (vk == 0x6D) return 189;
  if (vk == 0x6E) return 190;
  if (vk == 0x6F) return 191;
  return vk;
}

// 1 Ctrl, 2 Shift, 4 Alt, combined.
inline constexpr std::uint32_t KeyState(bool ctrl, bool shift, bool alt) {
  return (ctrl ? 1u : 0u) | (shift ? 2u : 0u) | (alt ? 4u : 0u);
}

// The signed wheel delta (high half of the message word) in steps of 120.
inline constexpr std::int32_t WheelSteps(std::uint32_t wparam_low32) {
  return static_cast<std::int16_t>(wparam_low32 >> 16) / 120;
}

// Mouse positions: the unsigned low and high 16 bits of the position word.
inline constexpr std::uint32_t PositionX(std::uint32_t lparam_low32) { return lparam_low32 & 0xFFFF; }
inline constexpr std::uint32_t PositionY(std::uint32_t lparam_low32) { return (lparam_low32 >> 16) & 0xFFFF; }

}  // namespace quarrow::forms
