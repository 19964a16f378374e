#include <windows.h>

#include <csignal>

#include "batch/batch_run.h"
#include "batch/interruption.h"

namespace quarrow::batch {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

// The system calls this on a thread of its own.
BOOL WINAPI RecordInterrupt(DWORD event) {
  // A second Ctrl+C ends the process at once, as if nothing caught it: the run may be stuck in a write to a pipe
  // whose reader has stopped reading, and would never see the first.
  if (g_interrupted) return FALSE;
  g_interrupted = 1;
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
  // The console is closing or the session ends: the system ends the process as soon as this returns, or when its
  // time limit for the handlers runs out. Until then the run removes its temporary and ends the process itself.
  ::Sleep(INFINITE);
  return TRUE;
}

}  // namespace

void InstallInterruptHandlers() {
  // A process started with Ctrl+C disabled keeps it disabled: the system then calls no handler for it.
  ::SetConsoleCtrlHandler(RecordInterrupt, TRUE);
}

bool Interrupted() { return g_interrupted != 0; }

void EndAsInterrupted() { ::ExitProcess(static_cast<UINT>(STATUS_CONTROL_C_EXIT)); }

void EndOnBrokenPipe() { ::ExitProcess(kWriteFailed); }

}  // namespace quarrow::batch
