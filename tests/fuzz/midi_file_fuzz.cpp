// The MIDI file reader on arbitrary bytes: it ends, every event it gives is one the stream can take, the deltas
// add up to the song's length, and feeding the song (repeating or not) into stream buffers ends or keeps going
// only when the song has length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "internals/midi_file.h"
#include "internals/midi_stream_feed.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto song = quarrow::ReadMidiFile({data, size});
  if (!song) return 0;
  if (song->events.empty() || song->track_count == 0 || song->division == 0) std::abort();
  std::uint64_t ticks = 0;
  for (const auto& e : song->events) {
    ticks += e.delta;
    if (e.Kind() > quarrow::midi_event::kNothing) std::abort();
    if (e.Kind() == quarrow::midi_event::kShortMessage) {
      const std::uint32_t status = e.Payload() & 0xFF;
      if (status < 0x80 || status >= 0xF0 || (e.Payload() & 0x808000) != 0) std::abort();
    }
    if (e.Kind() == quarrow::midi_event::kTempo && e.Payload() == 0) std::abort();
  }
  if (ticks != song->total_ticks) std::abort();

  std::vector<std::uint32_t> buffer(3 * 64);
  quarrow::MidiStreamFeed once(*song, false);
  std::size_t records = 0;
  for (int i = 0; i < 100000 && !once.Finished(); ++i) records += once.Fill(buffer) / 3;
  if (!once.Finished() || records != song->events.size()) std::abort();

  quarrow::MidiStreamFeed repeating(*song, true);
  for (int i = 0; i < 4; ++i) repeating.Fill(buffer);
  if (song->total_ticks > 0 && repeating.Finished()) std::abort();
  return 0;
}
