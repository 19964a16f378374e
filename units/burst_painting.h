// Rows added to a list view in a burst are painted together.
//
// A visible list view with its redraw on brings its scroll bars up to date on every row it receives, which costs
// far more than the row itself. So the first change of a burst turns the control's redraw off, and redraw comes
// back on (the control then updates its scroll bars once and repaints what it shows):
//   - while changes keep coming, at the first change kShowEveryMs after the list was last shown: the unit posts
//     itself a message, so that the list is shown as soon as the program handles its messages again;
//   - at the first tick of a timer that runs while changes come (kTickMs) after the changes stopped, for the last
//     rows of a burst;
//   - when the message loop goes idle (an idle callback, runtime notify codes 1012 and 1013), so the list is
//     complete whenever the program waits for input;
//   - whenever the platform asks the control to paint, so nothing is ever painted from a stale state.
// So the user sees the rows arrive about every kShowEveryMs, well over ten times a second, whenever messages are
// handled. The moment of repainting stays the platform's: turning redraw on only invalidates the control.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/library_link.h"

namespace quarrow {

class BurstPainting {
 public:
  static constexpr UINT_PTR kTimerId = 0x5152;
  static constexpr UINT kTickMs = 40;
  // Ticks without a change before the timer stops; one may come straight after a long paint.
  static constexpr int kQuietTicks = 2;
  static constexpr DWORD kShowEveryMs = 70;
  // The message the unit posts itself to show the rows.
  static constexpr UINT kShowMessage = WM_USER + 0x51;

  explicit BurstPainting(const LibraryLink& link) : link_(&link) {}
  BurstPainting(const BurstPainting&) = delete;
  BurstPainting& operator=(const BurstPainting&) = delete;

  void Attach(HWND control) { control_ = control; }
  // Before a change to the rows: turns redraw off unless a burst is under way already.
  void BeforeChange();
  // Ends the burst: redraw on, scroll bars updated, the rows invalidated.
  void Resume();
  // Makes a change of many rows at once with redraw off, then shows it, unless a burst is under way (which
  // shows it in its time).
  template <class Change>
  void AllAtOnce(Change change) {
    if (suspended_ || control_ == nullptr) {
      change();
      return;
    }
    ::SendMessageA(control_, WM_SETREDRAW, FALSE, 0);
    suspended_ = true;
    change();
    Resume();
  }
  bool Suspended() const { return suspended_; }
  bool Ticking() const { return ticking_; }

  // Offered every message of the control before the control's own procedure. True when the message was the
  // painting's own (its timer or its message to show the rows; nothing else is to be done with it).
  bool Handle(UINT message, WPARAM wparam);
  // The control is going: the timer stops and the idle callback is removed.
  void Detach();

 private:
  static void OnIdle(std::uintptr_t self);
  void OnTick();

  const LibraryLink* link_;
  HWND control_ = nullptr;
  bool suspended_ = false;
  bool ticking_ = false;
  int quiet_ticks_ = 0;
  bool changed_ = false;  // since the last tick
  bool show_posted_ = false;
  DWORD shown_at_ = 0;
  bool idle_registered_ = false;
};

}  // namespace quarrow
