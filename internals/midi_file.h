// Standard MIDI files: the reader that checks the "MThd" header and the "MTrk" tracks and turns the tracks into one
// timed list of stream events, and the writer that builds such files.
//
// Every event of the list is what the platform's MIDI stream takes: a delta time in ticks since the previous
// event and one event word (the kind in the top byte, a short message or a tempo below it). Tracks of format 0
// and 1 play together and are merged by time; the tracks of a format 2 file play one after another. System
// exclusive and other meta events are read over and not played.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

#include "base/byte_stream.h"

namespace quarrow {

// The kinds of stream events, in the top byte of the event word.
namespace midi_event {
inline constexpr std::uint32_t kShortMessage = 0x00;
inline constexpr std::uint32_t kTempo = 0x01;
inline constexpr std::uint32_t kNothing = 0x02;  // only its delta time counts
}  // namespace midi_event

// Microseconds per quarter note before a file sets a tempo of its own.
inline constexpr std::uint32_t kDefaultMidiTempo = 500000;

struct MidiStreamEvent {
  std::uint32_t delta = 0;  // ticks since the previous event
  std::uint32_t event = 0;  // kind << 24 | message bytes (status, first, second data byte from the low end) or tempo

  std::uint32_t Kind() const { return event >> 24; }
  std::uint32_t Payload() const { return event & 0xFFFFFF; }
  bool operator==(const MidiStreamEvent&) const = default;
};

struct MidiSong {
  std::uint16_t format = 0;
  std::uint16_t track_count = 0;
  std::uint16_t division = 0;  // the header's time division, as the stream's time-division property takes it
  // Starts with the default tempo, so that a repeat begins at the tempo the first pass began with; ends with the
  // end of the longest track.
  std::vector<MidiStreamEvent> events;
  std::uint64_t total_ticks = 0;
};

// Null unless the file starts with "MThd", a header length of 6, a time division other than 0 and at least one
// track, and each of the header's tracks starts with "MTrk" and a length that the file holds. A track whose
// events go wrong (a data byte without a running status, a cut-off event) ends there.
std::optional<MidiSong> ReadMidiFile(std::span<const std::uint8_t> file);

// The events of one track, as a file stores them.
class MidiTrackWriter {
 public:
  // A delta time, then the bytes of the event as written (leave out the status byte for running status).
  MidiTrackWriter& Event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes);
  MidiTrackWriter& Tempo(std::uint32_t delta, std::uint32_t microseconds_per_quarter);
  MidiTrackWriter& SystemExclusive(std::uint32_t delta, std::span<const std::uint8_t> data);
  MidiTrackWriter& EndOfTrack(std::uint32_t delta);
  MidiTrackWriter& Raw(std::initializer_list<std::uint8_t> bytes);
  const Bytes& Data() const { return bytes_.Data(); }

 private:
  void Number(std::uint32_t value);  // variable-length quantity
  ByteWriter bytes_;
};

class MidiFileWriter {
 public:
  MidiFileWriter(std::uint16_t format, std::uint16_t division) : format_(format), division_(division) {}
  MidiFileWriter& Track(const MidiTrackWriter& track);
  // A chunk of any identifier and declared length, for damaged files.
  MidiFileWriter& Chunk(const char (&id)[5], std::uint32_t length, std::span<const std::uint8_t> data);
  // The file; the header's length word and track count are the true ones unless given.
  Bytes Finish() const;
  Bytes Finish(std::uint32_t header_length, std::uint16_t track_count) const;

 private:
  std::uint16_t format_;
  std::uint16_t division_;
  std::uint16_t tracks_ = 0;
  ByteWriter chunks_;
};

}  // namespace quarrow
