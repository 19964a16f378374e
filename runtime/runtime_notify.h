// The runtime notify entry: the one routine through which libraries and units reach the runtime, by code.
#pragma once

#include <cstdint>

namespace quarrow {

namespace notify_code {
inline constexpr std::int32_t kDefaultIcons = 1000;
inline constexpr std::int32_t kWindowMap = 1001;
inline constexpr std::int32_t kUnitTypeEntry = 1002;
inline constexpr std::int32_t kCopyPath = 1006;
inline constexpr std::int32_t kAddIdleCallback = 1012;
inline constexpr std::int32_t kRemoveIdleCallback = 1013;
inline constexpr std::int32_t kDestroyed = 2000;
inline constexpr std::int32_t kConvertToNumber = 2001;
inline constexpr std::int32_t kProgramDirectory = 2003;
inline constexpr std::int32_t kProgramFileName = 2004;
inline constexpr std::int32_t kLoadWindow = 2005;
inline constexpr std::int32_t kUnitObject = 2006;
inline constexpr std::int32_t kUnitObjectOrError = 2007;
inline constexpr std::int32_t kRaiseEvent = 2008;
inline constexpr std::int32_t kLoadingBegins = 2009;
inline constexpr std::int32_t kLoadingEnds = 2010;
inline constexpr std::int32_t kPlayMusic = 2015;
inline constexpr std::int32_t kStopMusic = 2016;
inline constexpr std::int32_t kCurrentEventSource = 2017;
inline constexpr std::int32_t kProcessMessages = 2018;
inline constexpr std::int32_t kUnitTypeOfUnit = 2022;
inline constexpr std::int32_t kFreeArray = 2023;
inline constexpr std::int32_t kAllocate = 2024;
inline constexpr std::int32_t kFree = 2025;
inline constexpr std::int32_t kReallocate = 2026;
inline constexpr std::int32_t kReportError = 2027;
inline constexpr std::int32_t kEndProgram = 2028;
inline constexpr std::int32_t kCanRaiseEvents = 2029;
inline constexpr std::int32_t kProgramMode = 2030;
inline constexpr std::int32_t kRaiseTypedEvent = 2031;
inline constexpr std::int32_t kWindowCount = 2032;
inline constexpr std::int32_t kPlatformWindow = 2033;
inline constexpr std::int32_t kTypeInformation = 2036;
inline constexpr std::int32_t kSetMenuFlag = 2037;
inline constexpr std::int32_t kShowPage = 2039;
inline constexpr std::int32_t kRebuildMenu = 2040;
}  // namespace notify_code

// Library notify codes: what the runtime tells each library.
namespace library_notify {
inline constexpr std::int32_t kStart = 1;
inline constexpr std::int32_t kShutdown = 6;
inline constexpr std::int32_t kTypeInformation = 8;
}  // namespace library_notify

std::intptr_t RuntimeNotify(std::int32_t code, std::uintptr_t arg1, std::uintptr_t arg2);

}  // namespace quarrow
