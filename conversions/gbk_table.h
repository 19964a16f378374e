// The GBK (code page 936) -> Unicode table, generated from a pinned charmap by scripts/make-gbk-table, so that
// every build converts the same bytes to the same characters without asking the system.
#pragma once

#include <cstdint>

namespace quarrow {

inline constexpr int kGbkFirstLead = 0x81;
inline constexpr int kGbkLeadCount = 0xFE - 0x81 + 1;
inline constexpr int kGbkFirstTrail = 0x40;
inline constexpr int kGbkTrailCount = 0xFE - 0x40 + 1;

// The one single byte above ASCII that stands for a character.
extern const std::uint16_t kGbkByte80;
// [lead − 0x81][trail − 0x40]: the character of the pair, 0 where the pair has none.
extern const std::uint16_t kGbkPairs[kGbkLeadCount * kGbkTrailCount];

}  // namespace quarrow
