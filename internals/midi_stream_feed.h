// Feeds a song's events into the buffers of the platform's MIDI stream: each event becomes one short stream record
// of three words (delta time, stream id 0, event word). With repeat on, the song starts again from its first
// event as soon as its last has been given, inside the same buffer if there is room.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "internals/midi_file.h"

namespace quarrow {

inline constexpr std::size_t kMidiStreamRecordWords = 3;

class MidiStreamFeed {
 public:
  MidiStreamFeed() = default;
  // The song must outlive the feed. A song that lasts no time at all plays once even with repeat on: repeating
  // it would only fill buffers without end.
  MidiStreamFeed(const MidiSong& song, bool repeat);

  // Writes whole records into `words`; returns the number of words written, 0 once the song has been given.
  std::size_t Fill(std::span<std::uint32_t> words);
  bool Finished() const;
  // How many times the song has started again.
  std::size_t Repeats() const { return repeats_; }

 private:
  const MidiSong* song_ = nullptr;
  bool repeat_ = false;
  std::size_t next_ = 0;
  std::size_t repeats_ = 0;
};

}  // namespace quarrow
