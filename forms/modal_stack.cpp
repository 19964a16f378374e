#include "forms/modal_stack.h"

#include <algorithm>

namespace quarrow::forms {

// Enabling and disabling send messages that may run handlers, which may load or close modal windows in turn: the
// stack is brought up to date first, and the windows are changed after.

void ModalStack::Disable(HWND modal, const std::vector<HWND>& others) {
  Layer layer{modal, {}};
  for (HWND other : others) layer.found.emplace_back(other, ::IsWindowEnabled(other) != FALSE);
  layers_.push_back(layer);
  for (HWND other : others) ::EnableWindow(other, FALSE);
}

void ModalStack::Restore(HWND modal) {
  const auto closing = std::find_if(layers_.begin(), layers_.end(), [&](const Layer& l) { return l.modal == modal; });
  if (closing == layers_.end()) return;
  const Layer layer = std::move(*closing);
  const auto later = layers_.erase(closing);
  std::vector<std::pair<HWND, bool>> restore;
  for (const auto& [window, enabled] : layer.found) {
    bool handed_on = false;
    for (auto above = later; above != layers_.end() && !handed_on; ++above) {
      for (auto& [held, state] : above->found) {
        if (held != window) continue;
        state = enabled;
        handed_on = true;
        break;
      }
    }
    if (!handed_on) restore.emplace_back(window, enabled);
  }
  // The closing window itself is no longer there to restore.
  for (Layer& other : layers_) {
    std::erase_if(other.found, [&](const auto& entry) { return entry.first == modal; });
  }
  for (const auto& [window, enabled] : restore) {
    if (::IsWindow(window)) ::EnableWindow(window, enabled);
  }
}

}  // namespace quarrow::forms
