#include "internals/midi_stream_feed.h"

namespace quarrow {

MidiStreamFeed::MidiStreamFeed(const MidiSong& song, bool repeat)
    : song_(&song), repeat_(repeat && song.total_ticks > 0 && !song.events.empty()) {}

bool MidiStreamFeed::Finished() const { return song_ == nullptr || (!repeat_ && next_ >= song_->events.size()); }

std::size_t MidiStreamFeed::Fill(std::span<std::uint32_t> words) {
  std::size_t written = 0;
  while (!Finished() && words.size() - written >= kMidiStreamRecordWords) {
    if (next_ >= song_->events.size()) {
      next_ = 0;
      ++repeats_;
    }
    const MidiStreamEvent& e = song_->events[next_++];
    words[written++] = e.delta;
    words[written++] = 0;
    words[written++] = e.event;
  }
  return written;
}

}  // namespace quarrow
