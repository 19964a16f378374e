#include "internals/midi_output.h"

namespace quarrow {

namespace {

class SystemMidiStream final : public MidiStream {
 public:
  explicit SystemMidiStream(HMIDISTRM stream) : stream_(stream) {}
  ~SystemMidiStream() override { Close(); }

  void SetTimeDivision(DWORD division) override {
    MIDIPROPTIMEDIV property = {sizeof property, division};
    ::midiStreamProperty(stream_, reinterpret_cast<LPBYTE>(&property), MIDIPROP_SET | MIDIPROP_TIMEDIV);
  }
  void Prepare(MIDIHDR& header) override { ::midiOutPrepareHeader(Output(), &header, sizeof header); }
  void Unprepare(MIDIHDR& header) override { ::midiOutUnprepareHeader(Output(), &header, sizeof header); }
  bool Out(MIDIHDR& header) override {
    return ::midiStreamOut(stream_, &header, sizeof header) == MMSYSERR_NOERROR;
  }
  void Restart() override { ::midiStreamRestart(stream_); }
  void Stop() override { ::midiStreamStop(stream_); }
  void Reset() override { ::midiOutReset(Output()); }
  void Close() override {
    if (stream_ != nullptr) ::midiStreamClose(stream_);
    stream_ = nullptr;
  }

 private:
  HMIDIOUT Output() const { return reinterpret_cast<HMIDIOUT>(stream_); }
  HMIDISTRM stream_;
};

class SystemOutput final : public MidiOutput {
 public:
  std::unique_ptr<MidiStream> Open(MidiStreamCallback callback, void* context) override {
    // A machine without a MIDI output has nothing a stream could play on, and opening one anyway has been seen
    // to fault inside the system's own stream code there instead of failing.
    if (::midiOutGetNumDevs() == 0) return nullptr;
    HMIDISTRM stream = nullptr;
    UINT device = MIDI_MAPPER;
    if (::midiStreamOpen(&stream, &device, 1, reinterpret_cast<DWORD_PTR>(callback),
                         reinterpret_cast<DWORD_PTR>(context), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
      return nullptr;
    }
    return std::make_unique<SystemMidiStream>(stream);
  }
};

}  // namespace

MidiOutput& SystemMidiOutput() {
  static SystemOutput output;  // holds no state
  return output;
}

}  // namespace quarrow
