#include "internals/midi_file.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace quarrow {

namespace {

// Big-endian words, as the file stores them.
std::uint32_t Big32(ByteReader& r) {
  const auto s = r.Take(4);
  if (s.empty()) return 0;
  return (std::uint32_t{s[0]} << 24) | (std::uint32_t{s[1]} << 16) | (std::uint32_t{s[2]} << 8) | s[3];
}
std::uint16_t Big16(ByteReader& r) {
  const auto s = r.Take(2);
  return s.empty() ? 0 : static_cast<std::uint16_t>((s[0] << 8) | s[1]);
}

bool IdIs(std::span<const std::uint8_t> id, const char (&name)[5]) {
  return id.size() == 4 && std::memcmp(id.data(), name, 4) == 0;
}

// A variable-length quantity of at most four bytes; nothing when it is cut off or longer.
std::optional<std::uint32_t> Number(ByteReader& r) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    const std::uint8_t b = r.U8();
    if (r.Failed()) return std::nullopt;
    value = (value << 7) | (b & 0x7F);
    if ((b & 0x80) == 0) return value;
  }
  return std::nullopt;
}

struct Timed {
  std::uint64_t tick;
  std::uint32_t event;
};

std::uint32_t Event(std::uint32_t kind, std::uint32_t payload) { return (kind << 24) | (payload & 0xFFFFFF); }

// Reads one track's events from start_tick on; returns the tick at which the track ends.
std::uint64_t ReadTrack(std::span<const std::uint8_t> data, std::uint64_t start_tick, std::vector<Timed>& out) {
  ByteReader r(data);
  std::uint64_t tick = start_tick;
  std::uint64_t last_good = start_tick;
  std::uint8_t running = 0;
  while (!r.AtEnd()) {
    const auto delta = Number(r);
    if (!delta) break;
    tick += *delta;
    const std::uint8_t first = r.U8();
    if (r.Failed()) break;

    if (first == 0xFF) {  // meta event
      const std::uint8_t type = r.U8();
      const auto length = Number(r);
      if (!length) break;
      const auto body = r.Take(*length);
      if (r.Failed()) break;
      running = 0;
      last_good = tick;
      if (type == 0x2F) return tick;  // end of track
      if (type == 0x51 && body.size() == 3) {
        const std::uint32_t tempo = (std::uint32_t{body[0]} << 16) | (body[1] << 8) | body[2];
        if (tempo != 0) out.push_back({tick, Event(midi_event::kTempo, tempo)});
      }
      continue;
    }
    if (first == 0xF0 || first == 0xF7) {  // system exclusive: read over
      const auto length = Number(r);
      if (!length || !r.Skip(*length)) break;
      running = 0;
      last_good = tick;
      continue;
    }
    if (first > 0xF0) break;  // system common and real-time messages have no place in a file

    std::uint8_t status = first;
    std::uint8_t data1 = 0;
    bool have_data1 = false;
    if (first < 0x80) {
      if (running == 0) break;  // a data byte with no status to run on
      status = running;
      data1 = first;
      have_data1 = true;
    } else {
      running = first;
    }
    const std::uint8_t kind = status & 0xF0;
    const bool two_data_bytes = kind != 0xC0 && kind != 0xD0;
    if (!have_data1) data1 = r.U8();
    const std::uint8_t data2 = two_data_bytes ? r.U8() : 0;
    if (r.Failed() || (data1 & 0x80) || (data2 & 0x80)) break;
    out.push_back({tick, Event(midi_event::kShortMessage, status | (data1 << 8) | (data2 << 16))});
    last_good = tick;
  }
  return last_good;
}

// Appends an event at `gap` ticks after the previous one; gaps beyond a delta word are bridged by empty events.
void Append(std::vector<MidiStreamEvent>& events, std::uint64_t gap, std::uint32_t event) {
  constexpr std::uint64_t kMaxDelta = std::numeric_limits<std::uint32_t>::max();
  while (gap > kMaxDelta) {
    events.push_back({static_cast<std::uint32_t>(kMaxDelta), Event(midi_event::kNothing, 0)});
    gap -= kMaxDelta;
  }
  events.push_back({static_cast<std::uint32_t>(gap), event});
}

}  // namespace

std::optional<MidiSong> ReadMidiFile(std::span<const std::uint8_t> file) {
  ByteReader r(file);
  if (!IdIs(r.Take(4), "MThd") || Big32(r) != 6) return std::nullopt;
  MidiSong song;
  song.format = Big16(r);
  song.track_count = Big16(r);
  song.division = Big16(r);
  if (r.Failed() || song.track_count == 0 || song.division == 0) return std::nullopt;

  const bool one_after_another = song.format == 2;
  std::vector<Timed> timed;
  std::uint64_t end = 0;
  for (std::uint16_t i = 0; i < song.track_count; ++i) {
    if (!IdIs(r.Take(4), "MTrk")) return std::nullopt;
    const std::uint32_t length = Big32(r);
    const auto track = r.Take(length);
    if (r.Failed()) return std::nullopt;
    const std::uint64_t track_end = ReadTrack(track, one_after_another ? end : 0, timed);
    end = std::max(end, track_end);
  }
  if (!one_after_another) {
    std::stable_sort(timed.begin(), timed.end(), [](const Timed& a, const Timed& b) { return a.tick < b.tick; });
  }

  song.events.reserve(timed.size() + 2);
  song.events.push_back({0, Event(midi_event::kTempo, kDefaultMidiTempo)});
  std::uint64_t at = 0;
  for (const Timed& t : timed) {
    Append(song.events, t.tick - at, t.event);
    at = t.tick;
  }
  if (end > at) Append(song.events, end - at, Event(midi_event::kNothing, 0));
  song.total_ticks = std::max(end, at);
  return song;
}

MidiTrackWriter& MidiTrackWriter::Event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
  Number(delta);
  for (std::uint8_t b : bytes) bytes_.U8(b);
  return *this;
}

MidiTrackWriter& MidiTrackWriter::Tempo(std::uint32_t delta, std::uint32_t microseconds_per_quarter) {
  return Event(delta, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(microseconds_per_quarter >> 16),
                       static_cast<std::uint8_t>(microseconds_per_quarter >> 8),
                       static_cast<std::uint8_t>(microseconds_per_quarter)});
}

MidiTrackWriter& MidiTrackWriter::SystemExclusive(std::uint32_t delta, std::span<const std::uint8_t> data) {
  Number(delta);
  bytes_.U8(0xF0);
  Number(static_cast<std::uint32_t>(data.size()));
  bytes_.Raw(data);
  return *this;
}

MidiTrackWriter& MidiTrackWriter::EndOfTrack(std::uint32_t delta) { return Event(delta, {0xFF, 0x2F, 0x00}); }

MidiTrackWriter& MidiTrackWriter::Raw(std::initializer_list<std::uint8_t> bytes) {
  for (std::uint8_t b : bytes) bytes_.U8(b);
  return *this;
}

void MidiTrackWriter::Number(std::uint32_t value) {
  std::uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0 && n < 5);
  while (n-- > 0) bytes_.U8(static_cast<std::uint8_t>(groups[n] | (n > 0 ? 0x80 : 0)));
}

namespace {
void PutBig32(ByteWriter& w, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) w.U8(static_cast<std::uint8_t>(v >> shift));
}
void PutBig16(ByteWriter& w, std::uint16_t v) {
  w.U8(static_cast<std::uint8_t>(v >> 8));
  w.U8(static_cast<std::uint8_t>(v));
}
}  // namespace

MidiFileWriter& MidiFileWriter::Track(const MidiTrackWriter& track) {
  Chunk("MTrk", static_cast<std::uint32_t>(track.Data().size()), track.Data());
  return *this;
}

MidiFileWriter& MidiFileWriter::Chunk(const char (&id)[5], std::uint32_t length, std::span<const std::uint8_t> data) {
  chunks_.Raw(id, 4);
  PutBig32(chunks_, length);
  chunks_.Raw(data);
  if (std::memcmp(id, "MTrk", 4) == 0) ++tracks_;
  return *this;
}

Bytes MidiFileWriter::Finish() const { return Finish(6, tracks_); }

Bytes MidiFileWriter::Finish(std::uint32_t header_length, std::uint16_t track_count) const {
  ByteWriter w;
  w.Raw("MThd", 4);
  PutBig32(w, header_length);
  PutBig16(w, format_);
  PutBig16(w, track_count);
  PutBig16(w, division_);
  w.Raw(chunks_.Data());
  return w.Release();
}

}  // namespace quarrow
