// The names of the temporary files that a file replacement writes before it puts them in the target's place:
// "~qrw", eight hex digits that stand for the target's name, eight hex digits of the attempt, ".tmp". A write
// that never finished (its process was ended midway) leaves such a file behind; the next write to the same
// target recognises it by its name and removes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quarrow {

inline constexpr std::size_t kTemporaryNameLength = 24;
// A write tries this many names, one attempt after the other, before it gives up: only a name no file has is taken.
inline constexpr int kTemporaryNameAttempts = 64;

// "~qrw" and the digits of the target's file name (without its folder): shared by every temporary of that target.
// Names that differ only in the case of ASCII letters name one file, so they share a stem.
std::string TemporaryStem(std::string_view target_name);
// A temporary's whole file name: the stem, then the eight digits of `attempt`, then ".tmp".
std::string TemporaryName(std::string_view stem, std::uint32_t attempt);
// The attempt after `previous`. The first comes from something that differs between processes (their id, the
// clock), so that two writes to one target take different names.
std::uint32_t NextTemporaryAttempt(std::uint32_t previous);
// True when `name` has the shape TemporaryName gives for this stem (the letters in either case).
bool IsTemporaryOf(std::string_view stem, std::string_view name);

}  // namespace quarrow
