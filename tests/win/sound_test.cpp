// The sound players inside this test process. Wave sounds run their real worker threads, ring and semaphore
// against a recording device that hands buffers back only when a test says so; MIDI songs run their real feeder
// against a recording stream. Music started through the platform's own output must behave the same whether or
// not the machine has a sound device.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "base/window_directory.h"
#include "internals/midi_file.h"
#include "internals/midi_player.h"
#include "internals/sound.h"
#include "internals/sound_state.h"
#include "internals/wave_file.h"
#include "runtime/runtime.h"
#include "runtime/runtime_notify.h"
#include "tests/support/pump.h"
#include "tests/win/fake_sound_output.h"

namespace quarrow {
namespace {

using testing::DeviceCall;
using testing::FakeMidiOutput;
using testing::FakeWaveOutput;
using testing::WaitUntil;

constexpr std::size_t kBufferBytes = 15360;

Bytes Pattern(std::size_t n) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 31 + i / 256 + 7);
  return b;
}

Bytes Slice(const Bytes& b, std::size_t from, std::size_t n) { return Bytes(b.begin() + from, b.begin() + from + n); }

std::vector<std::string> Names(const std::vector<DeviceCall>& calls) {
  std::vector<std::string> names;
  for (const DeviceCall& c : calls) names.push_back(c.what);
  return names;
}

std::vector<std::string> Last(const std::vector<std::string>& names, std::size_t n) {
  return std::vector<std::string>(names.end() - std::min(n, names.size()), names.end());
}

std::int32_t Play(const Bytes& file, bool loop, FakeWaveOutput& output) {
  return PlayWave(file.data(), file.size(), loop, output);
}

// A looping wave sound on a recording device, its ring of twenty buffers queued; null when it did not start.
std::shared_ptr<FakeWaveOutput::Device> PlayLoopingOn(FakeWaveOutput& output) {
  static const Bytes file = MakePcmWave(Pattern(25 * kBufferBytes));
  if (Play(file, true, output) != 1) return nullptr;
  auto device = output.Opened(0);
  if (device == nullptr || !WaitUntil([&] { return device->Writes().size() == 20; })) return nullptr;
  return device;
}

// The barrier behind a stop request that must not reach a sound: its player takes a returned buffer and fills it
// again. A stop already requested would win over the returned buffer and end the sound instead.
bool StillPlays(FakeWaveOutput::Device& device) {
  const std::size_t writes = device.Writes().size();
  return device.ReturnOldest() && WaitUntil([&] { return device.Writes().size() == writes + 1; }) && !device.Closed();
}

// The runtime is given its music alone; every test leaves no sound behind, so that none can disturb the next.
class Sound : public ::testing::Test {
 protected:
  void SetUp() override { TheRuntime().Equip(nullptr, std::make_unique<SoundState>()); }
  void TearDown() override {
    StopAllMusic(true);
    EXPECT_EQ(PlayingWaveCount(), 0u);
  }
};

using WavePlayer = Sound;

TEST_F(WavePlayer, ALoopingSoundOfAThousandBytesQueuesOneBufferAndStartsAgainFromByteZeroWhenItComesBack) {
  FakeWaveOutput output;
  const Bytes samples = Pattern(1000);
  {
    Bytes file = MakePcmWave(samples);
    ASSERT_EQ(Play(file, true, output), 1);
    std::fill(file.begin(), file.end(), 0);  // the player plays its own copy
  }
  const auto device = output.Opened(0);
  ASSERT_TRUE(device);
  ASSERT_TRUE(WaitUntil([&] { return device->Writes().size() == 1; }));
  EXPECT_EQ(device->Writes()[0].data, samples);
  EXPECT_EQ(device->Queued(), 1u);

  // The other nineteen free buffers go by unused: the next write is the refill of the one that comes back.
  ASSERT_TRUE(device->ReturnOldest());
  ASSERT_TRUE(WaitUntil([&] { return device->Writes().size() >= 2; }));
  const auto writes = device->Writes();
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[1].data, samples) << "from byte 0 again";
  EXPECT_EQ(writes[1].header, writes[0].header) << "in the first buffer of the ring again";
  EXPECT_EQ(Names(device->Calls()),
            (std::vector<std::string>{"prepare", "write", "unprepare", "prepare", "write"}));

  StopAllWaveSounds(true);
  EXPECT_TRUE(device->Closed());
  EXPECT_EQ(Last(Names(device->Calls()), 4), (std::vector<std::string>{"pause", "reset", "unprepare", "close"}));
  EXPECT_TRUE(device->Misuse().empty()) << device->Misuse()[0];
}

TEST_F(WavePlayer, ASoundIsQueuedInBuffersOf15360BytesAndEndsWithoutResettingTheDevice) {
  FakeWaveOutput output;
  const Bytes samples = Pattern(2 * kBufferBytes + 9280);
  ASSERT_EQ(Play(MakePcmWave(samples), false, output), 1);
  const auto device = output.Opened(0);
  ASSERT_TRUE(device);
  ASSERT_TRUE(WaitUntil([&] { return device->Writes().size() == 3; }));
  const auto writes = device->Writes();
  EXPECT_EQ(writes[0].data, Slice(samples, 0, kBufferBytes));
  EXPECT_EQ(writes[1].data, Slice(samples, kBufferBytes, kBufferBytes));
  EXPECT_EQ(writes[2].data, Slice(samples, 2 * kBufferBytes, 9280));
  EXPECT_EQ(PlayingWaveCount(), 1u) << "the sound plays until its buffers are back";

  for (int i = 0; i < 3; ++i) ASSERT_TRUE(device->ReturnOldest());
  ASSERT_TRUE(WaitUntil([&] { return device->Closed(); }));
  EXPECT_EQ(PlayingWaveCount(), 0u);
  const auto names = Names(device->Calls());
  EXPECT_EQ(names, (std::vector<std::string>{"prepare", "write", "prepare", "write", "prepare", "write", "unprepare",
                                             "unprepare", "unprepare", "close"}));
  EXPECT_TRUE(device->Misuse().empty());
}

TEST_F(WavePlayer, TheRingHoldsTwentyBuffersAndTheFirstIsReusedWhenItComesBack) {
  FakeWaveOutput output;
  const Bytes samples = Pattern(25 * kBufferBytes + 100);
  ASSERT_EQ(Play(MakePcmWave(samples), false, output), 1);
  const auto device = output.Opened(0);
  ASSERT_TRUE(device);
  ASSERT_TRUE(WaitUntil([&] { return device->Writes().size() == 20; }));
  auto writes = device->Writes();
  std::set<const void*> headers;
  for (const DeviceCall& w : writes) headers.insert(w.header);
  EXPECT_EQ(headers.size(), 20u);

  // No twenty-first buffer before one comes back: the refill of the returned buffer is the next call after
  // the twentieth write (a buffer taken back while queued would show as misuse).
  ASSERT_TRUE(device->ReturnOldest());
  ASSERT_TRUE(WaitUntil([&] { return device->Writes().size() >= 21; }));
  const auto calls = Names(device->Calls());
  const std::vector<std::string> refill = {"write", "unprepare", "prepare", "write"};
  ASSERT_GE(calls.size(), refill.size());
  EXPECT_EQ(Last(calls, refill.size()), refill);
  EXPECT_EQ(device->Writes().size(), 21u);
  EXPECT_EQ(device->Writes()[20].header, writes[0].header);
  EXPECT_TRUE(device->Misuse().empty());

  // Hand the rest back as it comes; the sound ends by itself after its last 100 bytes.
  ASSERT_TRUE(WaitUntil(
      [&] {
        device->ReturnOldest();
        return device->Closed();
      },
      10000));
  writes = device->Writes();
  ASSERT_EQ(writes.size(), 26u);
  Bytes played;
  for (const DeviceCall& w : writes) played.insert(played.end(), w.data.begin(), w.data.end());
  EXPECT_EQ(played, samples);
  const auto names = Names(device->Calls());
  EXPECT_EQ(std::count(names.begin(), names.end(), "reset"), 0);
  EXPECT_TRUE(device->Misuse().empty());
}

TEST_F(WavePlayer, ALoopingSoundFillsTheWholeRingAgainEvenWhenEveryBufferCameBackAtOnce) {
  FakeWaveOutput output;
  const Bytes samples = Pattern(20 * kBufferBytes);
  ASSERT_EQ(Play(MakePcmWave(samples), true, output), 1);
  const auto device = output.Opened(0);
  ASSERT_TRUE(device);
  ASSERT_TRUE(WaitUntil([&] { return device->Writes().size() == 20; }));
  EXPECT_EQ(device->ReturnAll(), 20u);
  EXPECT_TRUE(WaitUntil([&] { return device->Writes().size() == 40; })) << device->Writes().size();
  const auto writes = device->Writes();
  for (std::size_t i = 20; i < writes.size(); ++i) EXPECT_EQ(writes[i].data, writes[i - 20].data) << i;
}

TEST_F(WavePlayer, TheStopEventEndsASoundWithPauseResetAndClose) {
  FakeWaveOutput output;
  ASSERT_EQ(Play(MakePcmWave(Pattern(3 * kBufferBytes)), true, output), 1);
  const auto device = output.Opened(0);
  ASSERT_TRUE(device);
  ASSERT_TRUE(WaitUntil([&] { return device->Writes().size() == 3; }));
  StopAllWaveSounds(false);
  ASSERT_TRUE(WaitUntil([&] { return device->Closed(); }));
  EXPECT_EQ(Last(Names(device->Calls()), 6),
            (std::vector<std::string>{"pause", "reset", "unprepare", "unprepare", "unprepare", "close"}));
  EXPECT_TRUE(device->Misuse().empty());
  EXPECT_TRUE(WaitUntil([] { return PlayingWaveCount() == 0; }));
}

TEST_F(WavePlayer, StopMusicWithTheWaitFlagReturnsOnlyAfterEveryWorkerHasEnded) {
  FakeWaveOutput output;
  output.close_delay_ms = 300;  // each worker takes this long to close its device
  const Bytes file = MakePcmWave(Pattern(5000));
  for (int i = 0; i < 3; ++i) ASSERT_EQ(Play(file, true, output), 1);
  for (std::size_t i = 0; i < 3; ++i) {
    ASSERT_TRUE(output.Opened(i));
    ASSERT_TRUE(WaitUntil([&] { return output.Opened(i)->Writes().size() == 1; }));
  }
  EXPECT_EQ(PlayingWaveCount(), 3u);
  StopAllMusic(true);
  EXPECT_EQ(PlayingWaveCount(), 0u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_TRUE(output.Opened(i)->Closed()) << i;
}

TEST_F(WavePlayer, WithoutADeviceOrWithADeviceThatNeverAnswersASoundEndsAfterItsTimeOut) {
  FakeWaveOutput none;
  none.no_device = true;
  FakeWaveOutput silent;  // takes buffers and never gives one back
  const Bytes file = MakePcmWave(Pattern(1000));
  const DWORD started = ::GetTickCount();
  ASSERT_EQ(Play(file, true, none), 1) << "no device still starts a player";
  ASSERT_EQ(Play(file, false, silent), 1);
  EXPECT_EQ(PlayingWaveCount(), 2u);
  ASSERT_TRUE(WaitUntil([] { return PlayingWaveCount() == 0; }, 30000));
  EXPECT_GE(::GetTickCount() - started, 8000u) << "they end by the 8888 ms time-out, not at once";
  const auto device = silent.Opened(0);
  ASSERT_TRUE(device);
  EXPECT_EQ(Names(device->Calls()),
            (std::vector<std::string>{"prepare", "write", "pause", "reset", "unprepare", "close"}));
  EXPECT_TRUE(device->Misuse().empty());
}

TEST_F(WavePlayer, TheDeviceIsOpenedWithTheFilesFormatWhereverItsChunkIs) {
  FakeWaveOutput output;
  const Bytes samples = Pattern(64);
  const Bytes file = WaveFileWriter().Chunk("data", samples).Chunk("fmt ", PcmFormat(2, 22050, 16)).Finish();
  ASSERT_EQ(Play(file, false, output), 1);
  const auto device = output.Opened(0);
  ASSERT_TRUE(device);
  const Bytes format = device->Format();
  ASSERT_EQ(format.size(), sizeof(WAVEFORMATEX));
  const auto& f = *reinterpret_cast<const WAVEFORMATEX*>(format.data());
  EXPECT_EQ(f.wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(f.nChannels, 2);
  EXPECT_EQ(f.nSamplesPerSec, 22050u);
  EXPECT_EQ(f.nBlockAlign, 4);
  EXPECT_EQ(f.wBitsPerSample, 16);
  EXPECT_EQ(f.cbSize, 0);
  ASSERT_TRUE(WaitUntil([&] { return device->Writes().size() == 1; }));
  EXPECT_EQ(device->Writes()[0].data, samples);
  EXPECT_EQ(device->Queued(), 1u);
}

TEST_F(WavePlayer, DataThatCannotPlayStartsNoPlayerAndOpensNoDevice) {
  FakeWaveOutput output;
  const Bytes empty_data = MakePcmWave({});
  const Bytes tiny = WaveFileWriter().Chunk("fmt ", Pattern(8)).Chunk("data", {}).Finish();
  const Bytes no_data = WaveFileWriter().Chunk("fmt ", PcmFormat(1, 8000, 8)).Chunk("LIST", Pattern(30)).Finish();
  const Bytes short_format = WaveFileWriter().Chunk("fmt ", Pattern(14)).Chunk("data", Pattern(30)).Finish();
  const Bytes text(100, 'a');
  EXPECT_EQ(Play(empty_data, true, output), 0);
  EXPECT_EQ(Play(tiny, true, output), 0);
  EXPECT_EQ(Play(no_data, true, output), 0);
  EXPECT_EQ(Play(short_format, true, output), 0);
  EXPECT_EQ(Play(text, true, output), 0);
  EXPECT_EQ(PlayWave(nullptr, 100, true, output), 0);
  EXPECT_EQ(output.Opens(), 0);
  EXPECT_EQ(PlayingWaveCount(), 0u);
}

// Music through the platform's own output: whatever the machine has, these must hold.

const Bytes& LongWave() {
  static const Bytes wave = MakePcmWave(Pattern(8000 * 30));  // half a minute: nothing ends by itself here
  return wave;
}

Bytes SmallMidi() {
  MidiTrackWriter track;
  track.Event(0, {0x90, 60, 100}).Event(96, {0x80, 60, 0}).EndOfTrack(0);
  return MidiFileWriter(0, 96).Track(track).Finish();
}

using Music = Sound;

TEST_F(Music, PlayMusicAnswersOneForMusicItTookAndZeroOtherwise) {
  const Bytes& wave = LongWave();
  EXPECT_EQ(PlayMusic(wave.data(), wave.size(), true), 1);
  EXPECT_EQ(PlayingWaveCount(), 1u);
  const Bytes midi = SmallMidi();
  EXPECT_EQ(PlayMusic(midi.data(), midi.size(), true), 1);
  const Bytes bad_midi = {'M', 'T', 'h', 'd', 0, 0, 0, 7, 1, 2, 3};
  EXPECT_EQ(PlayMusic(bad_midi.data(), bad_midi.size(), false), 1) << "taken even though it cannot be read";
  const Bytes no_samples = MakePcmWave({});
  EXPECT_EQ(PlayMusic(no_samples.data(), no_samples.size(), false), 0);
  EXPECT_EQ(PlayMusic("not music at all", 16, false), 0);
  EXPECT_EQ(PlayMusic(wave.data(), 0, false), 0);
  EXPECT_EQ(PlayMusic(nullptr, 100, false), 0);
  EXPECT_EQ(PlayingWaveCount(), 1u);
}

TEST_F(Music, RuntimeNotifyCodesPlayAndStopMusic) {
  const Bytes& wave = LongWave();
  const std::uintptr_t words[3] = {reinterpret_cast<std::uintptr_t>(wave.data()), wave.size(), 1};
  EXPECT_EQ(RuntimeNotify(notify_code::kPlayMusic, reinterpret_cast<std::uintptr_t>(words), 0), 1);
  EXPECT_EQ(RuntimeNotify(notify_code::kPlayMusic, 0, 0), 0);
  const std::uintptr_t text_words[3] = {reinterpret_cast<std::uintptr_t>("plain text here!"), 16, 1};
  EXPECT_EQ(RuntimeNotify(notify_code::kPlayMusic, reinterpret_cast<std::uintptr_t>(text_words), 0), 0);
  EXPECT_EQ(PlayingWaveCount(), 1u);
  RuntimeNotify(notify_code::kStopMusic, 0, 0);
  EXPECT_TRUE(WaitUntil([] { return PlayingWaveCount() == 0; }, 4000)) << "stopped, not ended by its time-out";
}

TEST_F(Music, StoppingOneWindowsWaveMusicStopsEveryWaveSoundOfTheProgram) {
  const Bytes& wave = LongWave();
  WindowMusic first;
  WindowMusic second;
  first.Start(wave.data(), wave.size(), 0);
  second.Start(wave.data(), wave.size(), 1);
  ASSERT_EQ(PlayMusic(wave.data(), wave.size(), true), 1);
  ASSERT_EQ(PlayingWaveCount(), 3u);
  first.Stop();
  EXPECT_TRUE(WaitUntil([] { return PlayingWaveCount() == 0; }, 4000)) << "stopped, not ended by its time-out";
}

TEST_F(Music, WindowMusicPlaysOnlyInModesZeroAndOne) {
  const Bytes& wave = LongWave();
  WindowMusic window;
  window.Start(wave.data(), wave.size(), 2);
  window.Start(wave.data(), wave.size(), -1);
  window.Start(wave.data(), 0, 0);
  window.Start(nullptr, 100, 0);
  window.Start("not music at all", 16, 0);
  EXPECT_EQ(PlayingWaveCount(), 0u);

  // A window that plays nothing stops nothing of others when it goes.
  FakeWaveOutput output;
  const auto other = PlayLoopingOn(output);
  ASSERT_TRUE(other);
  window.Start(wave.data(), wave.size(), 7);
  window.Stop();
  EXPECT_TRUE(StillPlays(*other));
  EXPECT_EQ(PlayingWaveCount(), 1u);
}

TEST_F(Music, RestartingWindowMusicStopsWhatItPlayedAndDestroyingItStopsIt) {
  const Bytes& wave = LongWave();
  {
    WindowMusic window;
    window.Start(wave.data(), wave.size(), 0);
    ASSERT_EQ(PlayingWaveCount(), 1u);
    const DWORD restarted = ::GetTickCount();
    window.Start(wave.data(), wave.size(), 1);
    EXPECT_TRUE(WaitUntil([] { return PlayingWaveCount() == 1; }, 4000)) << "the old music is stopped";
    // The new music, played once on the system's output, ends by its last byte or by the players' 8888 ms
    // time-out when no device takes it; a stop would end it at once.
    ASSERT_TRUE(WaitUntil([] { return PlayingWaveCount() == 0; }, 40000));
    EXPECT_GE(::GetTickCount() - restarted, 8000u) << "the new music plays on";
  }
  {
    WindowMusic window;
    window.Start(wave.data(), wave.size(), 0);
    ASSERT_EQ(PlayingWaveCount(), 1u);
  }
  EXPECT_TRUE(WaitUntil([] { return PlayingWaveCount() == 0; }, 4000)) << "stopped, not ended by its time-out";
}

TEST_F(Music, AWindowsMidiMusicStopsOnlyItsOwnPlayer) {
  FakeWaveOutput output;
  const auto wave = PlayLoopingOn(output);
  ASSERT_TRUE(wave);
  const Bytes midi = SmallMidi();
  WindowMusic window;
  window.Start(midi.data(), midi.size(), 0);
  window.Stop();
  EXPECT_TRUE(StillPlays(*wave));
  EXPECT_EQ(PlayingWaveCount(), 1u);
}

// Words of the stream records of every buffer queued so far: a song that repeats fills both buffers whole.
constexpr std::size_t kBothBuffersWords = 2 * MidiPlayer::kRecordsPerBuffer * 3;

TEST_F(Music, MidiMusicPlaysOnTheRuntimesOwnCopyWithTheLoopFlagAndStopMusicStopsIt) {
  FakeMidiOutput output;
  RuntimeSound().midi.UseOutput(output);
  struct Restore {
    ~Restore() { RuntimeSound().midi.UseOutput(SystemMidiOutput()); }
  } restore;
  const Bytes midi = SmallMidi();
  const auto song = ReadMidiFile(midi);
  ASSERT_TRUE(song);
  {
    Bytes copy = midi;
    ASSERT_EQ(PlayMusic(copy.data(), copy.size(), true), 1);
    std::fill(copy.begin(), copy.end(), 0);  // the runtime plays its own copy
  }
  const auto repeating = output.Opened(0);
  ASSERT_TRUE(repeating);
  EXPECT_EQ(repeating->RecordsOut().size(), kBothBuffersWords) << "the loop flag repeats the song";

  ASSERT_EQ(PlayMusic(midi.data(), midi.size(), false), 1);
  EXPECT_TRUE(repeating->Closed()) << "what the runtime played before stops first";
  const auto once = output.Opened(1);
  ASSERT_TRUE(once);
  EXPECT_EQ(once->RecordsOut().size(), song->events.size() * 3) << "without it the song plays once";

  RuntimeNotify(notify_code::kStopMusic, 0, 0);
  EXPECT_TRUE(once->Closed());
  EXPECT_TRUE(once->Misuse().empty());
}

TEST_F(Music, AWindowsMidiMusicRepeatsInModeZeroPlaysOnceInModeOneAndStopsWithTheWindow) {
  FakeMidiOutput output;
  const Bytes midi = SmallMidi();
  const auto song = ReadMidiFile(midi);
  ASSERT_TRUE(song);
  {
    WindowMusic window(output);
    window.Start(midi.data(), midi.size(), 0);
    ASSERT_TRUE(output.Opened(0));
    EXPECT_EQ(output.Opened(0)->RecordsOut().size(), kBothBuffersWords);

    window.Start(midi.data(), midi.size(), 1);
    EXPECT_TRUE(output.Opened(0)->Closed()) << "a restart stops the window's player first";
    ASSERT_TRUE(output.Opened(1));
    EXPECT_EQ(output.Opened(1)->RecordsOut().size(), song->events.size() * 3);

    window.Start(midi.data(), midi.size(), 2);
    EXPECT_TRUE(output.Opened(1)->Closed());
    EXPECT_EQ(output.Opens(), 2) << "mode 2 does not play";

    window.Start(midi.data(), midi.size(), 0);
    ASSERT_TRUE(output.Opened(2));
    EXPECT_FALSE(output.Opened(2)->Closed());
  }
  EXPECT_TRUE(output.Opened(2)->Closed()) << "the window's music stops with the window object";
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(output.Opened(i)->Misuse().empty()) << i;
}

// The MIDI player on a recording stream.

Bytes ManyNotes(int notes) {
  MidiTrackWriter track;
  for (int i = 0; i < notes; ++i) {
    const auto key = static_cast<std::uint8_t>(40 + i % 40);
    track.Event(10, {0x90, key, 100}).Event(10, {key, 0});
  }
  track.EndOfTrack(0);
  return MidiFileWriter(0, 120).Track(track).Finish();
}

std::vector<std::uint32_t> RecordsOf(const MidiSong& song, std::size_t count) {
  std::vector<std::uint32_t> words;
  for (std::size_t i = 0; i < count; ++i) {
    const MidiStreamEvent& e = song.events[i % song.events.size()];
    words.insert(words.end(), {e.delta, 0, e.event});
  }
  return words;
}

TEST(MidiPlayer, FeedsTheSongThroughTwoBuffersRefilledAsTheStreamHandsThemBack) {
  FakeMidiOutput output;
  const Bytes file = ManyNotes(300);
  const auto song = ReadMidiFile(file);
  ASSERT_TRUE(song);
  ASSERT_EQ(song->events.size(), 601u);
  MidiPlayer player(output);
  ASSERT_TRUE(player.Load(file.data(), file.size()));
  ASSERT_TRUE(player.Play(false));
  const auto stream = output.Opened(0);
  ASSERT_TRUE(stream);
  EXPECT_EQ(Names(stream->Calls()), (std::vector<std::string>{"division", "prepare", "prepare", "out", "out", "restart"}));
  EXPECT_EQ(stream->Calls()[0].value, 120u);
  EXPECT_EQ(stream->Queued(), 2u);

  ASSERT_TRUE(stream->ReturnOldest());
  ASSERT_TRUE(WaitUntil([&] { return stream->Queued() == 2; }));
  const auto calls = stream->Calls();
  ASSERT_EQ(calls.size(), 7u);
  EXPECT_EQ(calls[6].what, "out");
  EXPECT_EQ(calls[6].header, calls[3].header) << "the buffer that came back is the one refilled";
  EXPECT_FALSE(player.PlayedToEnd());

  ASSERT_TRUE(stream->ReturnOldest());
  ASSERT_TRUE(stream->ReturnOldest());
  ASSERT_TRUE(WaitUntil([&] { return player.PlayedToEnd(); }));
  EXPECT_EQ(stream->RecordsOut(), RecordsOf(*song, 601)) << "every event once, in order: 256 + 256 + 89";
  EXPECT_TRUE(player.StreamOpen());

  player.Stop();
  EXPECT_FALSE(player.StreamOpen());
  EXPECT_EQ(Last(Names(stream->Calls()), 5), (std::vector<std::string>{"stop", "reset", "unprepare", "unprepare", "close"}));
  EXPECT_TRUE(stream->Misuse().empty());
}

TEST(MidiPlayer, RepeatingKeepsFeedingFromTheFirstEventAndStoppingHandsTheBuffersBack) {
  FakeMidiOutput output;
  const Bytes file = SmallMidi();
  const auto song = ReadMidiFile(file);
  ASSERT_TRUE(song);
  MidiPlayer player(output);
  ASSERT_TRUE(player.Load(file.data(), file.size()));
  ASSERT_TRUE(player.Play(true));
  const auto stream = output.Opened(0);
  ASSERT_TRUE(stream);
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(stream->ReturnOldest());
    ASSERT_TRUE(WaitUntil([&] { return stream->Queued() == 2; })) << i;
  }
  const std::size_t records = 7 * MidiPlayer::kRecordsPerBuffer;
  EXPECT_EQ(stream->RecordsOut(), RecordsOf(*song, records));
  EXPECT_FALSE(player.PlayedToEnd());

  player.Stop();  // with both buffers at the stream
  EXPECT_TRUE(stream->Closed());
  EXPECT_EQ(stream->Queued(), 0u);
  EXPECT_TRUE(stream->Misuse().empty()) << stream->Misuse()[0];
  const std::size_t calls = stream->Calls().size();
  player.Stop();
  EXPECT_EQ(stream->Calls().size(), calls) << "a stopped player has nothing more to stop";
}

TEST(MidiPlayer, AStreamThatKeepsItsBuffersIsClosedAfterTwoSeconds) {
  FakeMidiOutput output;
  output.keep_buffers_on_stop = true;
  const Bytes file = ManyNotes(300);
  MidiPlayer player(output);
  ASSERT_TRUE(player.Load(file.data(), file.size()));
  ASSERT_TRUE(player.Play(false));
  const DWORD started = ::GetTickCount();
  player.Stop();
  EXPECT_GE(::GetTickCount() - started, 1900u);
  EXPECT_TRUE(output.Opened(0)->Closed());
}

TEST(MidiPlayer, LoadingStopsWhatPlaysAndOnlyMidiFilesLoad) {
  FakeMidiOutput output;
  const Bytes file = ManyNotes(300);
  MidiPlayer player(output);
  ASSERT_TRUE(player.Load(file.data(), file.size()));
  ASSERT_TRUE(player.Play(false));
  const Bytes wave = MakePcmWave(Pattern(100));
  EXPECT_FALSE(player.Load(wave.data(), wave.size()));
  EXPECT_TRUE(output.Opened(0)->Closed());
  EXPECT_FALSE(player.Loaded());
  EXPECT_FALSE(player.Play(true));
  EXPECT_EQ(output.Opens(), 1);

  ASSERT_TRUE(player.Load(file.data(), file.size()));
  ASSERT_TRUE(player.Play(false));
  ASSERT_TRUE(player.Play(true)) << "playing again starts over on a new stream";
  EXPECT_TRUE(output.Opened(1)->Closed());
  EXPECT_FALSE(output.Opened(2)->Closed());
}

TEST(MidiPlayer, WithoutAMidiOutputNothingPlays) {
  FakeMidiOutput output;
  output.no_device = true;
  const Bytes file = SmallMidi();
  MidiPlayer player(output);
  ASSERT_TRUE(player.Load(file.data(), file.size()));
  EXPECT_FALSE(player.Play(true));
  EXPECT_FALSE(player.StreamOpen());
  player.Stop();

  // The platform's own output, whatever this machine has.
  MidiPlayer system;
  ASSERT_TRUE(system.Load(file.data(), file.size()));
  system.Play(false);
  system.Stop();
  EXPECT_FALSE(system.StreamOpen());
}

}  // namespace
}  // namespace quarrow
