#include "internals/midi_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "internals/midi_stream_feed.h"

namespace quarrow {
namespace {

using midi_event::kNothing;
using midi_event::kShortMessage;
using midi_event::kTempo;

MidiStreamEvent At(std::uint32_t delta, std::uint32_t kind, std::uint32_t payload) {
  return {delta, (kind << 24) | payload};
}
MidiStreamEvent Message(std::uint32_t delta, std::uint8_t status, std::uint8_t d1, std::uint8_t d2 = 0) {
  return At(delta, kShortMessage, status | (d1 << 8) | (d2 << 16));
}
const MidiStreamEvent kStartTempo = At(0, kTempo, kDefaultMidiTempo);

MidiTrackWriter OneNote() {
  MidiTrackWriter t;
  t.Event(0, {0x90, 60, 100}).Event(96, {0x80, 60, 0}).EndOfTrack(0);
  return t;
}

Bytes OneTrackFile(const MidiTrackWriter& track, std::uint16_t format = 0) {
  return MidiFileWriter(format, 96).Track(track).Finish();
}

std::vector<MidiStreamEvent> EventsOf(const Bytes& file) {
  const auto song = ReadMidiFile(file);
  EXPECT_TRUE(song.has_value());
  return song ? song->events : std::vector<MidiStreamEvent>{};
}

TEST(MidiFile, AWellFormedFileLoadsWithItsHeader) {
  const auto song = ReadMidiFile(MidiFileWriter(1, 480).Track(OneNote()).Track(OneNote()).Finish());
  ASSERT_TRUE(song);
  EXPECT_EQ(song->format, 1);
  EXPECT_EQ(song->track_count, 2);
  EXPECT_EQ(song->division, 480);
  EXPECT_EQ(song->total_ticks, 96u);
}

TEST(MidiFile, HeadersWithAWrongLengthOrMissingTracksAreRejected) {
  const MidiFileWriter one = std::move(MidiFileWriter(0, 96).Track(OneNote()));
  EXPECT_TRUE(ReadMidiFile(one.Finish(6, 1)));
  EXPECT_FALSE(ReadMidiFile(one.Finish(5, 1))) << "header length 5";
  EXPECT_FALSE(ReadMidiFile(one.Finish(7, 1))) << "header length 7";
  EXPECT_FALSE(ReadMidiFile(one.Finish(6, 2))) << "the second track's \"MTrk\" is missing";
  EXPECT_FALSE(ReadMidiFile(one.Finish(6, 0))) << "no track at all";
  EXPECT_FALSE(ReadMidiFile(MidiFileWriter(0, 0).Track(OneNote()).Finish())) << "time division 0";

  const Bytes other_chunk = MidiFileWriter(1, 96).Track(OneNote()).Chunk("XTrk", 4, Bytes{0, 0xFF, 0x2F, 0}).Finish(6, 2);
  EXPECT_FALSE(ReadMidiFile(other_chunk)) << "every track starts with \"MTrk\"";

  const Bytes cut = MidiFileWriter(0, 96).Chunk("MTrk", 100, OneNote().Data()).Finish(6, 1);
  EXPECT_FALSE(ReadMidiFile(cut)) << "a track longer than the file";

  const Bytes good = one.Finish();
  EXPECT_FALSE(ReadMidiFile(std::span(good).first(13))) << "a header cut short";
  Bytes not_midi = good;
  not_midi[3] = 'x';
  EXPECT_FALSE(ReadMidiFile(not_midi));
}

TEST(MidiFile, EventsCarryTheirDeltaTimesAndStartWithTheDefaultTempo) {
  MidiTrackWriter t;
  t.Event(0, {0x90, 60, 100}).Event(0x80, {0x80, 60, 0}).Event(0x0FFFFFFF, {0xB0, 7, 90}).EndOfTrack(0);
  EXPECT_EQ(EventsOf(OneTrackFile(t)),
            (std::vector<MidiStreamEvent>{kStartTempo, Message(0, 0x90, 60, 100), Message(0x80, 0x80, 60),
                                          Message(0x0FFFFFFF, 0xB0, 7, 90)}));
}

TEST(MidiFile, RunningStatusRepeatsTheLastStatusWithTheRightNumberOfDataBytes) {
  MidiTrackWriter t;
  t.Event(0, {0x91, 60, 100}).Event(10, {62, 101}).Event(10, {0xC2, 5}).Event(10, {6}).Event(10, {0x91, 64, 0})
      .EndOfTrack(0);
  EXPECT_EQ(EventsOf(OneTrackFile(t)),
            (std::vector<MidiStreamEvent>{kStartTempo, Message(0, 0x91, 60, 100), Message(10, 0x91, 62, 101),
                                          Message(10, 0xC2, 5), Message(10, 0xC2, 6), Message(10, 0x91, 64, 0)}));
}

TEST(MidiFile, TempoEventsBecomeStreamTempoAndOtherMetaAndSysExAreReadOver) {
  const Bytes sysex = {0x7E, 0x7F, 0x09, 0x01, 0xF7};
  MidiTrackWriter t;
  t.Tempo(0, 600000)
      .Event(5, {0xFF, 0x03, 0x04, 'n', 'a', 'm', 'e'})
      .SystemExclusive(5, sysex)
      .Event(5, {0x90, 60, 100})
      .Tempo(20, 250000)
      .Event(0, {0xFF, 0x51, 0x03, 0, 0, 0})  // a tempo of 0 would stop the clock
      .Event(10, {0x80, 60, 0})
      .EndOfTrack(0);
  EXPECT_EQ(EventsOf(OneTrackFile(t)),
            (std::vector<MidiStreamEvent>{kStartTempo, At(0, kTempo, 600000), Message(15, 0x90, 60, 100),
                                          At(20, kTempo, 250000), Message(10, 0x80, 60)}));
}

TEST(MidiFile, MetaAndSysExCancelRunningStatusSoAStrayDataByteEndsTheTrack) {
  MidiTrackWriter t;
  t.Event(0, {0x90, 60, 100}).Event(4, {0xFF, 0x01, 0x00}).Event(4, {62, 100}).Event(4, {0x80, 60, 0});
  EXPECT_EQ(EventsOf(OneTrackFile(t)), (std::vector<MidiStreamEvent>{kStartTempo, Message(0, 0x90, 60, 100),
                                                                     At(4, kNothing, 0)}))
      << "the track ends at its last complete event, the meta event 4 ticks on";
}

TEST(MidiFile, ATrackThatGoesWrongEndsAtItsLastCompleteEvent) {
  MidiTrackWriter no_status;
  no_status.Event(3, {60, 100}).Event(0, {0x90, 60, 100});
  EXPECT_EQ(EventsOf(OneTrackFile(no_status)), (std::vector<MidiStreamEvent>{kStartTempo}));

  MidiTrackWriter cut;
  cut.Event(0, {0x90, 60, 100}).Event(7, {0x80, 60});  // the last data byte is missing
  EXPECT_EQ(EventsOf(OneTrackFile(cut)), (std::vector<MidiStreamEvent>{kStartTempo, Message(0, 0x90, 60, 100)}));

  MidiTrackWriter long_delta;
  long_delta.Event(0, {0x90, 60, 100}).Raw({0x81, 0x80, 0x80, 0x80, 0x00, 0x80, 60, 0});
  EXPECT_EQ(EventsOf(OneTrackFile(long_delta)),
            (std::vector<MidiStreamEvent>{kStartTempo, Message(0, 0x90, 60, 100)}))
      << "a delta time of five bytes";

  MidiTrackWriter high_data;
  high_data.Event(0, {0x90, 60, 0xE0});
  EXPECT_EQ(EventsOf(OneTrackFile(high_data)), (std::vector<MidiStreamEvent>{kStartTempo}));

  MidiTrackWriter realtime;
  realtime.Event(0, {0xF8}).Event(0, {0x90, 1, 2});
  EXPECT_EQ(EventsOf(OneTrackFile(realtime)), (std::vector<MidiStreamEvent>{kStartTempo}));

  MidiTrackWriter long_meta;
  long_meta.Event(0, {0x90, 60, 100}).Event(2, {0xFF, 0x01, 0x7F, 'x'});
  EXPECT_EQ(EventsOf(OneTrackFile(long_meta)),
            (std::vector<MidiStreamEvent>{kStartTempo, Message(0, 0x90, 60, 100)}));
}

TEST(MidiFile, TracksOfFormatOnePlayTogetherMergedByTime) {
  MidiTrackWriter a, b;
  a.Tempo(0, 400000).Event(10, {0x90, 60, 1}).Event(20, {0x80, 60, 0}).EndOfTrack(0);
  b.Event(10, {0x91, 70, 2}).Event(5, {0x81, 70, 0}).EndOfTrack(50);
  const auto song = ReadMidiFile(MidiFileWriter(1, 96).Track(a).Track(b).Finish());
  ASSERT_TRUE(song);
  EXPECT_EQ(song->events, (std::vector<MidiStreamEvent>{kStartTempo, At(0, kTempo, 400000), Message(10, 0x90, 60, 1),
                                                        Message(0, 0x91, 70, 2), Message(5, 0x81, 70),
                                                        Message(15, 0x80, 60), At(35, kNothing, 0)}))
      << "equal times keep track order; the longer track's end closes the song";
  EXPECT_EQ(song->total_ticks, 65u);
}

TEST(MidiFile, TracksOfFormatTwoPlayOneAfterAnother) {
  MidiTrackWriter a, b;
  a.Event(10, {0x90, 60, 1}).EndOfTrack(6);
  b.Event(4, {0x91, 70, 2}).EndOfTrack(0);
  const auto song = ReadMidiFile(MidiFileWriter(2, 96).Track(a).Track(b).Finish());
  ASSERT_TRUE(song);
  EXPECT_EQ(song->events,
            (std::vector<MidiStreamEvent>{kStartTempo, Message(10, 0x90, 60, 1), Message(10, 0x91, 70, 2)}));
  EXPECT_EQ(song->total_ticks, 20u);
}

std::vector<std::uint32_t> FillOnce(MidiStreamFeed& feed, std::size_t records) {
  std::vector<std::uint32_t> words(records * kMidiStreamRecordWords + 2);  // room for part of one more
  words.resize(feed.Fill(words));
  return words;
}

TEST(MidiStreamFeed, FillsWholeRecordsAndEndsAfterTheLastEvent) {
  const auto song = ReadMidiFile(OneTrackFile(OneNote()));
  ASSERT_TRUE(song);
  ASSERT_EQ(song->events.size(), 3u);
  MidiStreamFeed feed(*song, false);
  EXPECT_EQ(FillOnce(feed, 2), (std::vector<std::uint32_t>{0, 0, song->events[0].event, 0, 0,
                                                            song->events[1].event}));
  EXPECT_FALSE(feed.Finished());
  EXPECT_EQ(FillOnce(feed, 2), (std::vector<std::uint32_t>{96, 0, song->events[2].event}));
  EXPECT_TRUE(feed.Finished());
  EXPECT_TRUE(FillOnce(feed, 2).empty());
  EXPECT_EQ(feed.Repeats(), 0u);
}

TEST(MidiStreamFeed, RepeatingStartsAgainFromTheFirstEventInTheSameBuffer) {
  const auto song = ReadMidiFile(OneTrackFile(OneNote()));
  ASSERT_TRUE(song);
  MidiStreamFeed feed(*song, true);
  const auto words = FillOnce(feed, 7);
  ASSERT_EQ(words.size(), 21u);
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(words[i * 3], song->events[i % 3].delta) << i;
    EXPECT_EQ(words[i * 3 + 2], song->events[i % 3].event) << i;
  }
  EXPECT_EQ(feed.Repeats(), 2u);
  EXPECT_FALSE(feed.Finished());
}

TEST(MidiStreamFeed, ASongThatLastsNoTimePlaysOnceEvenWhenRepeating) {
  MidiTrackWriter t;
  t.Event(0, {0x90, 60, 100}).Event(0, {0x80, 60, 0}).EndOfTrack(0);
  const auto song = ReadMidiFile(OneTrackFile(t));
  ASSERT_TRUE(song);
  MidiStreamFeed feed(*song, true);
  EXPECT_EQ(FillOnce(feed, 100).size(), 9u);
  EXPECT_TRUE(feed.Finished());
  EXPECT_TRUE(MidiStreamFeed().Finished());
}

}  // namespace
}  // namespace quarrow
