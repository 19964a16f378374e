// quarrow.exe started as a user starts it, with its window and controls found the way a user sees them: by
// their kind and where they sit in the window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/modal_watchdog.h"

namespace quarrow::e2e {

class QuarrowSession {
 public:
  // Starts the program of this build, with these command-line arguments, and waits for its window.
  explicit QuarrowSession(const std::string& arguments = "");
  ~QuarrowSession();

  bool Started() const { return window_ != nullptr; }
  HWND Window() const { return window_; }
  DWORD ProcessId() const { return process_.Id(); }
  testing::ModalWatchdog& Watchdog() { return *watchdog_; }
  // Closes the window as the user would and waits for the program to end; its exit code.
  std::optional<std::uint32_t> Close();
  // Ends the program at once, as the task manager would, wherever it is; its window is gone afterwards.
  void Kill();
  bool Running() const;

  // Controls, by kind and position in the window's client area.
  HWND CountBox() const;
  HWND PrefixBox() const;
  HWND GenerateButton() const;
  HWND AutoModeBox() const;
  HWND ClearButton() const;
  HWND ExportButton() const;
  HWND ResultList() const;
  HWND PercentLabel() const;
  HWND ProgressBar() const;
  HWND RoadEntry() const;
  HWND AddRoadButton() const;
  HWND RoadList() const;
  HWND CommunityEntry() const;
  HWND AddCommunityButton() const;
  HWND CommunityList() const;

  // What the user does.
  void TypeInto(HWND edit, const std::string& ascii);
  void Generate(const std::string& count);
  // Waits until the result list holds this many rows and the program is idle again.
  bool WaitForRows(int rows, DWORD timeout_ms = 30000);
  // Waits until the program has finished what the user started: its thread is back in its message loop, with no
  // dialog or message box of it open and its window taking input again.
  bool WaitUntilIdle(DWORD timeout_ms = 30000);
  std::vector<std::vector<std::string>> Rows() const;
  // One column of the result list: 0 the numbers, 1 the addresses.
  std::vector<std::string> Column(int column) const;

 private:
  HWND Find(const char* window_class, int left, int top) const;

  testing::ChildProcess process_;
  std::unique_ptr<testing::ModalWatchdog> watchdog_;
  HWND window_ = nullptr;
};

// The path of quarrow.exe of this build.
std::string QuarrowProgram();
// True when the text has the shape of an auto-mode address: two random characters, "路 ", 03..19, "号 ", one
// character, "小区 ", 10..99, "号楼 ", 1..9, "单元 ", 111..999, "室" (GBK bytes; characters in B0..DA).
bool IsAutoAddress(const std::string& text);

}  // namespace quarrow::e2e
