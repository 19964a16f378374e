// Interrupts of a run: Ctrl+C, a plain kill, a hang-up, a broken pipe (signals on Linux, the console's control
// events on Windows). When one comes it is only recorded; the output target sees it at its next write, removes
// what it left unfinished and ends the process as the interrupt itself would have, so that the shell sees the true
// cause and no half-written temporary stays behind.
#pragma once

namespace quarrow::batch {

// Once, from main, before any other thread starts; that thread is the one that writes the output. An interrupt
// the parent told this process to ignore (nohup's hang-up, Ctrl+C for a job started in the background) stays
// ignored.
void InstallInterruptHandlers();

bool Interrupted();

// Ends the process as the interrupt that came would have ended it had nothing caught it. Only after Interrupted().
[[noreturn]] void EndAsInterrupted();

// Ends the process quietly with the exit code of a failed write: the reader of a pipe has gone, as `head` leaves
// it once it has what it wants. That is no fault to report.
[[noreturn]] void EndOnBrokenPipe();

}  // namespace quarrow::batch
