// The program's top-level windows that open modal windows disabled, kept per modal window in the order the modal
// windows were loaded. Modal windows may close in any order (a handler can close one beneath another): each
// window disabled by several of them stays disabled until the last of those goes, and then gets back the state
// it had before the first.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

namespace quarrow::forms {

class ModalStack {
 public:
  // A modal window has been loaded: these windows are disabled, and their enabled states remembered.
  void Disable(HWND modal, const std::vector<HWND>& others);
  // A modal window closes. A window it disabled that a modal window loaded after it disabled again stays
  // disabled, and that later window restores the state this one remembered; every other window gets back its
  // remembered state now. Nothing for a window that disabled nothing, or has restored already.
  void Restore(HWND modal);

 private:
  struct Layer {
    HWND modal;
    std::vector<std::pair<HWND, bool>> found;  // each disabled window, and whether it was enabled
  };
  std::vector<Layer> layers_;  // in load order
};

}  // namespace quarrow::forms
