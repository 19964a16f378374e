#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <csignal>

#include "batch/batch_run.h"
#include "batch/interruption.h"

namespace quarrow::batch {

namespace {

// SIGXCPU and SIGXFSZ are the limits of `ulimit -t` and `ulimit -f`; SIGPIPE comes from a write to a pipe or a
// socket whose reader has gone.
constexpr int kHandled[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXCPU, SIGXFSZ};

// The signal that came, 0 before one: all that a handler may safely leave for the run to see.
volatile std::sig_atomic_t g_signal = 0;
pthread_t g_writing_thread;

extern "C" void RecordInterrupt(int signal_number) {
  g_signal = signal_number;
  // Any thread may take a signal sent to the process. The writing thread must see it too: a write of its that
  // waits for a slow reader returns only when a signal comes to that thread.
  if (!pthread_equal(pthread_self(), g_writing_thread)) pthread_kill(g_writing_thread, signal_number);
}

}  // namespace

void InstallInterruptHandlers() {
  g_writing_thread = pthread_self();
  struct sigaction action = {};
  action.sa_handler = RecordInterrupt;
  sigemptyset(&action.sa_mask);
  for (const int s : kHandled) sigaddset(&action.sa_mask, s);
  // No SA_RESTART: a write or an open that waits (for a FIFO's reader) returns EINTR, and the run sees the signal.
  action.sa_flags = 0;
  for (const int s : kHandled) {
    struct sigaction inherited;
    if (::sigaction(s, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) continue;
    ::sigaction(s, &action, nullptr);
  }
}

bool Interrupted() { return g_signal != 0; }

void EndAsInterrupted() {
  const int signal_number = g_signal;
  struct sigaction original = {};
  original.sa_handler = SIG_DFL;
  sigemptyset(&original.sa_mask);
  ::sigaction(signal_number, &original, nullptr);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal_number);
  ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  ::raise(signal_number);
  // Every handled signal ends a process by default; this is for a system where one would not.
  ::_exit(128 + signal_number);
}

void EndOnBrokenPipe() {
  // SIGPIPE, when this process handles it, came with the failed write and ends it through EndAsInterrupted; here
  // the parent had it ignored, and the write failed with EPIPE alone.
  ::_exit(kWriteFailed);
}

}  // namespace quarrow::batch
