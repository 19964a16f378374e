#include "forms/focus_order.h"

#include <algorithm>

namespace quarrow::forms {

std::vector<FocusCandidate> FocusOrder(std::vector<FocusCandidate> candidates) {
  std::sort(candidates.begin(), candidates.end(), [](const FocusCandidate& a, const FocusCandidate& b) {
    if (a.tab_order != b.tab_order) return a.tab_order < b.tab_order;
    return a.record > b.record;
  });
  return candidates;
}

std::optional<std::size_t> NextFocus(const std::vector<FocusCandidate>& ordered, std::optional<std::size_t> focused,
                                     bool forward) {
  if (ordered.empty()) return std::nullopt;
  const auto it = std::find_if(ordered.begin(), ordered.end(),
                               [&](const FocusCandidate& c) { return focused && c.record == *focused; });
  if (it == ordered.end()) return forward ? ordered.front().record : ordered.back().record;
  const std::size_t at = static_cast<std::size_t>(it - ordered.begin());
  const std::size_t n = ordered.size();
  return ordered[forward ? (at + 1) % n : (at + n - 1) % n].record;
}

std::optional<std::size_t> FocusPastThreshold(const std::vector<FocusCandidate>& ordered, std::int32_t threshold,
                                              bool forward) {
  if (forward) {
    for (const FocusCandidate& c : ordered) {
      if (c.tab_order >= threshold) return c.record;
    }
    return std::nullopt;
  }
  for (auto it = ordered.rbegin(); it != ordered.rend(); ++it) {
    if (it->tab_order < threshold) return it->record;
  }
  return std::nullopt;
}

}  // namespace quarrow::forms
