// A standard MIDI file player on the platform's MIDI stream. Two stream buffers take turns: while the stream plays
// one, a feeder thread refills the other as soon as the stream hands it back.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "internals/midi_file.h"
#include "internals/midi_output.h"
#include "internals/midi_stream_feed.h"
#include "base/handles.h"

namespace quarrow {

class MidiPlayer {
 public:
  static constexpr std::size_t kRecordsPerBuffer = 256;
  static constexpr DWORD kStopWait = 2000;

  explicit MidiPlayer(MidiOutput& output = SystemMidiOutput());
  ~MidiPlayer();
  MidiPlayer(const MidiPlayer&) = delete;
  MidiPlayer& operator=(const MidiPlayer&) = delete;

  // Stops what plays; later songs play on the given output. The runtime's own player is made with the runtime
  // object, before a test could hand it a recording output.
  void UseOutput(MidiOutput& output);
  // Stops what plays, then reads the file; false (and no song) when it is not a standard MIDI file.
  bool Load(const void* data, std::size_t size);
  bool Loaded() const { return song_.has_value(); }
  // Starts the loaded song from its beginning; false without a song or when no MIDI stream can be opened.
  bool Play(bool repeat);
  // Stops the stream, resets the output and waits up to 2000 ms for the stream to hand back its buffers before
  // it closes the stream. Does nothing when no stream is open.
  void Stop();
  // A stream is open: the song is playing, or has played to its end and the player has not been stopped.
  bool StreamOpen() const { return stream_ != nullptr; }
  // Every event has been given to the stream and every buffer has come back.
  bool PlayedToEnd() const { return played_to_end_; }

 private:
  static void CALLBACK StreamCallback(HMIDIOUT, UINT message, DWORD_PTR context, DWORD_PTR param1, DWORD_PTR);
  static DWORD WINAPI Feeder(void* self);
  void Feed();
  // Fills buffer i from the song and hands it to the stream; false when there was nothing left to give.
  bool Send(int i);
  bool AnyQueued() const { return queued_[0] || queued_[1]; }

  MidiOutput* output_;
  std::optional<MidiSong> song_;
  MidiStreamFeed feed_;
  std::unique_ptr<MidiStream> stream_;
  MIDIHDR headers_[2] = {};
  std::vector<std::uint32_t> words_[2];
  std::atomic<bool> queued_[2] = {false, false};
  std::atomic<bool> stopping_{false};
  std::atomic<bool> played_to_end_{false};
  OwnedHandle buffer_back_;  // auto-reset; set by the stream callback when a buffer comes back
  OwnedHandle feeder_;
};

}  // namespace quarrow
