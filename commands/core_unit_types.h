// The core library's unit-type table. A unit-type reference 0x0001nnnn names entry nnnn − 1.
#pragma once

#include <cstdint>

#include "base/program_header.h"

namespace quarrow {

inline constexpr std::uint32_t kCoreUnitTypeCount = 51;
extern const UnitTypeEntry kCoreUnitTypes[kCoreUnitTypeCount];

// The type numbers present in this program.
namespace core_type {
inline constexpr std::uint32_t kWindow = 1;
inline constexpr std::uint32_t kMenu = 3;  // menu items; no table entry of its own
inline constexpr std::uint32_t kEditBox = 5;
inline constexpr std::uint32_t kGroupBox = 9;
inline constexpr std::uint32_t kLabel = 10;
inline constexpr std::uint32_t kButton = 11;
inline constexpr std::uint32_t kCheckBox = 12;
inline constexpr std::uint32_t kListBox = 15;
inline constexpr std::uint32_t kProcessBar = 19;
inline constexpr std::uint32_t kCommonDlg = 31;
}  // namespace core_type

}  // namespace quarrow
