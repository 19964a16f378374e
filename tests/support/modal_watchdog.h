// Finds the message boxes and dialogs that a process opens, records their caption and text, and dismisses them,
// so that no test ever waits for a person. A test says which boxes it expects; anything else is a failure it can
// check with Unexpected().
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/window_info.h"

namespace quarrow::testing {

struct SeenBox {
  std::string caption;
  std::string text;  // the box's message (its static texts, joined by newlines)
};

class ModalWatchdog {
 public:
  // What to do with a box: return true after handling it (for instance by operating a dialog's controls).
  using Responder = std::function<bool(HWND box, const SeenBox& seen)>;

  // Watches the top-level "#32770" windows of a process (0: this process).
  explicit ModalWatchdog(DWORD process_id = 0);
  ~ModalWatchdog();
  ModalWatchdog(const ModalWatchdog&) = delete;

  // Boxes whose caption matches are answered by the responder; others are dismissed and counted as unexpected.
  void Expect(const std::string& caption, Responder responder);
  // Expect a box with this caption and press the button with this id.
  void ExpectAndPress(const std::string& caption, int button_id);

  std::vector<SeenBox> Seen() const;
  std::vector<SeenBox> Unexpected() const;
  // How many boxes it has taken in hand: a box is counted before anything it does can close it.
  std::size_t Taken() const;
  // Waits until a box has been seen (or the timeout has passed); true if one was.
  bool WaitForBox(DWORD timeout_ms) const;

 private:
  void Run();
  void Handle(HWND box);

  DWORD process_id_;
  mutable std::mutex mutex_;
  std::vector<std::pair<std::string, Responder>> expected_;
  std::vector<SeenBox> seen_;
  std::vector<SeenBox> unexpected_;
  std::vector<HWND> handled_;
  std::size_t taken_ = 0;
  HANDLE stop_;
  std::thread thread_;
};

// The dialogs and message boxes ("#32770" windows) of a process: those on screen, or also those that exist but are
// not shown yet (a box is shown once its own message loop runs).
enum class Showing { kShown, kShownOrNot };
std::vector<HWND> OpenBoxes(DWORD process_id, Showing showing = Showing::kShown);
// The message text of a message box: its static controls' texts.
std::string MessageBoxText(HWND box);
// Presses a button of a dialog by id, as a click would.
void PressButton(HWND dialog, int id);

}  // namespace quarrow::testing
