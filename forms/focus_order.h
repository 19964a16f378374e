// The order in which Tab, Shift+Tab, the arrow keys and mnemonics move the keyboard focus over a window's units.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quarrow::forms {

struct FocusCandidate {
  std::size_t record = 0;     // the unit's record index in its window
  std::int32_t tab_order = 0;
  bool operator==(const FocusCandidate&) const = default;
};

// Ascending tab order; among equal tab orders the later record comes first.
std::vector<FocusCandidate> FocusOrder(std::vector<FocusCandidate> candidates);

// From the focused unit (its record index, if any) to the candidate after it (forward) or before it, wrapping
// around; a focused unit that is no candidate goes to the first (forward) or the last candidate.
std::optional<std::size_t> NextFocus(const std::vector<FocusCandidate>& ordered, std::optional<std::size_t> focused,
                                     bool forward);

// From a caption or container unit, which is no candidate itself: forward to the first candidate whose tab order
// is not below the threshold, backward to the last one whose tab order is below it; no wrapping.
std::optional<std::size_t> FocusPastThreshold(const std::vector<FocusCandidate>& ordered, std::int32_t threshold,
                                              bool forward);

}  // namespace quarrow::forms
