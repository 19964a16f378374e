// The MIDI stream device layer under the MIDI player. The program opens the platform's MIDI stream; tests put a
// recording stream here. The player's buffers, feeder thread and callback are the same code either way.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <memory>

namespace quarrow {

// The stream callback exactly as the platform calls it (for MOM_DONE the first parameter is the header).
using MidiStreamCallback = void(CALLBACK*)(HMIDIOUT stream, UINT message, DWORD_PTR context, DWORD_PTR param1,
                                           DWORD_PTR param2);

// One opened MIDI stream.
class MidiStream {
 public:
  virtual ~MidiStream() = default;
  virtual void SetTimeDivision(DWORD division) = 0;
  virtual void Prepare(MIDIHDR& header) = 0;
  virtual void Unprepare(MIDIHDR& header) = 0;
  // Queues a buffer of stream records; false when the stream does not take it.
  virtual bool Out(MIDIHDR& header) = 0;
  virtual void Restart() = 0;
  // Stops playing; the stream hands its queued buffers back through the callback.
  virtual void Stop() = 0;
  // Turns every sounding note off.
  virtual void Reset() = 0;
  // After Close the callback is not called any more.
  virtual void Close() = 0;
};

class MidiOutput {
 public:
  virtual ~MidiOutput() = default;
  // A stream on the default MIDI output, or null when there is none.
  virtual std::unique_ptr<MidiStream> Open(MidiStreamCallback callback, void* context) = 0;
};

// The platform's MIDI output.
MidiOutput& SystemMidiOutput();

}  // namespace quarrow
