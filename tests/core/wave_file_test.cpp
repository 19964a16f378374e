#include "internals/wave_file.h"

#include <gtest/gtest.h>

#include "internals/music_data.h"

namespace quarrow {
namespace {

Bytes Counting(std::size_t n) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 7 + 1);
  return b;
}

const Bytes kFormat = PcmFormat(1, 8000, 8);

TEST(MusicData, RecognisesWaveAndMidiByTheirFirstBytesAndLengths) {
  const Bytes wave = MakePcmWave(Counting(4));
  EXPECT_EQ(RecognizeMusic(wave.data(), wave.size()), MusicKind::kWave);
  EXPECT_EQ(RecognizeMusic(wave.data(), 12), MusicKind::kWave);
  EXPECT_EQ(RecognizeMusic(wave.data(), 11), MusicKind::kNone) << "a wave needs more than 11 bytes";
  const char midi[] = "MThd\0";
  EXPECT_EQ(RecognizeMusic(midi, 5), MusicKind::kMidi);
  EXPECT_EQ(RecognizeMusic(midi, 4), MusicKind::kNone) << "MIDI needs more than 4 bytes";
  const char riff_avi[] = "RIFF\0\0\0\0AVI LIST";
  EXPECT_EQ(RecognizeMusic(riff_avi, 16), MusicKind::kNone);
  EXPECT_EQ(RecognizeMusic(nullptr, 100), MusicKind::kNone);
  EXPECT_EQ(RecognizeMusic("", 0), MusicKind::kNone);
}

TEST(WaveFile, APlainFileGivesItsFormatAndSamples) {
  const Bytes samples = Counting(1000);
  const Bytes file = MakePcmWave(samples);
  const WaveParts parts = FindWaveParts(file);
  ASSERT_TRUE(parts.Playable());
  EXPECT_EQ(Bytes(parts.format.begin(), parts.format.end()), kFormat);
  EXPECT_EQ(Bytes(parts.samples.begin(), parts.samples.end()), samples);
  EXPECT_EQ(parts.samples.data(), file.data() + 44) << "the samples are the file's own bytes, not a copy";
}

TEST(WaveFile, AnEmptyDataChunkDoesNotPlay) {
  // 36 bytes: a short format chunk and an empty "data" chunk.
  const Bytes tiny = WaveFileWriter().Chunk("fmt ", Counting(8)).Chunk("data", {}).Finish();
  ASSERT_EQ(tiny.size(), 36u);
  EXPECT_FALSE(FindWaveParts(tiny).Playable());
  EXPECT_TRUE(FindWaveParts(tiny).has_samples);

  // A full format and no sample bytes: only the empty data keeps it from playing.
  const Bytes empty = MakePcmWave({});
  EXPECT_TRUE(FindWaveParts(empty).has_format);
  EXPECT_TRUE(FindWaveParts(empty).samples.empty());
  EXPECT_FALSE(FindWaveParts(empty).Playable());
  EXPECT_TRUE(FindWaveParts(MakePcmWave(Counting(1))).Playable());
}

TEST(WaveFile, ThirtyFiveBytesOrLessAndWrongMagicHaveNoParts) {
  const Bytes file = MakePcmWave(Counting(40));
  EXPECT_FALSE(FindWaveParts(std::span(file).first(35)).has_format);
  Bytes wrong = file;
  wrong[8] = 'X';
  EXPECT_FALSE(FindWaveParts(wrong).has_format);
  wrong = file;
  wrong[0] = 'R' + 1;
  EXPECT_FALSE(FindWaveParts(wrong).has_format);
}

TEST(WaveFile, DataBeforeFormatIsFound) {
  const Bytes samples = Counting(300);
  const Bytes file = WaveFileWriter().Chunk("data", samples).Chunk("fmt ", kFormat).Finish();
  const WaveParts parts = FindWaveParts(file);
  ASSERT_TRUE(parts.Playable());
  EXPECT_EQ(Bytes(parts.samples.begin(), parts.samples.end()), samples);
  EXPECT_EQ(Bytes(parts.format.begin(), parts.format.end()), kFormat);
}

TEST(WaveFile, OtherChunksAreWalkedOverAndOnlyTheFirstFormatCounts) {
  const Bytes second_format = PcmFormat(2, 44100, 16);
  const Bytes file = WaveFileWriter()
                         .Chunk("LIST", Counting(20))
                         .Chunk("fmt ", kFormat)
                         .Chunk("fmt ", second_format)
                         .Chunk("data", Counting(9))
                         .Finish();
  const WaveParts parts = FindWaveParts(file);
  ASSERT_TRUE(parts.Playable());
  EXPECT_EQ(Bytes(parts.format.begin(), parts.format.end()), kFormat);
  EXPECT_EQ(parts.samples.size(), 9u);
}

TEST(WaveFile, AnOddChunkIsFollowedDirectlyWithoutAnAlignmentByte) {
  // The next chunk header starts right after the 3 odd bytes.
  const Bytes packed = WaveFileWriter().Chunk("fmt ", kFormat).Chunk("junk", Counting(3)).Chunk("data", Counting(5)).Finish();
  EXPECT_TRUE(FindWaveParts(packed).Playable());
  EXPECT_EQ(FindWaveParts(packed).samples.size(), 5u);

  // With a padding byte after the odd chunk the walk lands one byte early and misses "data".
  const Bytes padded = WaveFileWriter()
                           .Chunk("fmt ", kFormat)
                           .ChunkWithSize("junk", 3, Counting(4))
                           .Chunk("data", Counting(5))
                           .Finish();
  EXPECT_FALSE(FindWaveParts(padded).has_samples);

  // An odd-sized format chunk shifts everything after it by one byte, and that is where "data" is looked for.
  Bytes odd_format = kFormat;
  odd_format.push_back(0x55);
  const Bytes file = WaveFileWriter().Chunk("fmt ", odd_format).Chunk("data", Counting(7)).Finish();
  ASSERT_TRUE(FindWaveParts(file).Playable());
  EXPECT_EQ(FindWaveParts(file).format.size(), 17u);
  EXPECT_EQ(FindWaveParts(file).samples.size(), 7u);
}

TEST(WaveFile, TheWalkStopsAtTheRiffSizeCountedFromOffsetTwelve) {
  // "fmt " takes bytes 12..35; "data" starts at 36, which is within the walk while the RIFF size exceeds 24.
  WaveFileWriter writer;
  writer.Chunk("fmt ", kFormat).Chunk("data", Counting(10));
  EXPECT_TRUE(FindWaveParts(writer.Finish(25)).Playable());
  EXPECT_FALSE(FindWaveParts(writer.Finish(24)).has_samples);
  EXPECT_FALSE(FindWaveParts(writer.Finish(0)).has_format) << "a RIFF size of 0 walks no chunk";
  EXPECT_TRUE(FindWaveParts(writer.Finish(0xFFFFFFFF)).Playable()) << "a huge RIFF size is bounded by the file";
}

TEST(WaveFile, SizesBeyondTheFileNeverReachPastIt) {
  // A "data" chunk that claims more than the file holds yields the bytes that are there.
  const Bytes cut = WaveFileWriter().Chunk("fmt ", kFormat).ChunkWithSize("data", 100000, Counting(50)).Finish();
  const WaveParts parts = FindWaveParts(cut);
  ASSERT_TRUE(parts.Playable());
  EXPECT_EQ(parts.samples.size(), 50u);
  EXPECT_EQ(parts.samples.data() + parts.samples.size(), cut.data() + cut.size());

  // A chunk size that would wrap a 32-bit offset ends the walk instead of going back.
  const Bytes wrap = WaveFileWriter()
                         .Chunk("fmt ", kFormat)
                         .ChunkWithSize("junk", 0xFFFFFFF8u, Counting(4))
                         .Chunk("data", Counting(10))
                         .Finish(0xFFFFFFFF);
  EXPECT_FALSE(FindWaveParts(wrap).has_samples);

  // A format chunk cut short is no usable format.
  const Bytes short_format = WaveFileWriter().Chunk("data", Counting(10)).ChunkWithSize("fmt ", 16, Counting(12)).Finish();
  EXPECT_TRUE(FindWaveParts(short_format).has_format);
  EXPECT_EQ(FindWaveParts(short_format).format.size(), 12u);
  EXPECT_FALSE(FindWaveParts(short_format).Playable());
}

TEST(WaveFile, TheDeviceFormatBlockNeverClaimsMoreThanTheChunkHolds) {
  Bytes block = WaveFormatBlock(kFormat);
  ASSERT_EQ(block.size(), 18u);
  EXPECT_EQ(Bytes(block.begin(), block.begin() + 16), kFormat);
  EXPECT_EQ(block[16], 0);
  EXPECT_EQ(block[17], 0);

  // A compressed format that says 32 extra bytes but has 2: the block says 2.
  Bytes adpcm = PcmFormat(1, 8000, 4);
  adpcm[0] = 2;
  adpcm.insert(adpcm.end(), {32, 0, 0xAA, 0xBB});
  block = WaveFormatBlock(adpcm);
  ASSERT_EQ(block.size(), 20u);
  EXPECT_EQ(block[16], 2);
  EXPECT_EQ(block[18], 0xAA);
  EXPECT_EQ(block[19], 0xBB);

  // Extra bytes beyond what the word declares are not handed on.
  adpcm[16] = 1;
  EXPECT_EQ(WaveFormatBlock(adpcm).size(), 19u);

  // Seventeen bytes: the odd byte is not taken as half of an extra-size word.
  Bytes seventeen = kFormat;
  seventeen.push_back(0x7F);
  block = WaveFormatBlock(seventeen);
  ASSERT_EQ(block.size(), 18u);
  EXPECT_EQ(block[16], 0);
}

}  // namespace
}  // namespace quarrow
