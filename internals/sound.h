// Background music: wave and standard MIDI file bytes played for windows and for libraries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace quarrow {

class WaveOutput;

// The runtime's music (SoundState), as runtime notify code 2015 plays it: wave or MIDI file bytes, copied; other
// data plays nothing. 1 or 0.
std::int32_t PlayMusic(const void* data, std::size_t size, bool loop);
// Stops the runtime's music: code 2016 without waiting; shutdown with the wait flag (returns after every player has
// ended).
void StopAllMusic(bool wait);

// Plays the sound of a wave file on a worker thread of its own; 1 when a player was started, else 0. The player
// works on a private copy of the samples. Without an output device it still starts and ends after its time-out.
std::int32_t PlayWave(const void* data, std::size_t size, bool loop);
std::int32_t PlayWave(const void* data, std::size_t size, bool loop, WaveOutput& output);
// Asks every playing wave sound to stop; with the wait flag returns only when every one of their workers has ended.
void StopAllWaveSounds(bool wait);
// The number of wave sounds whose worker has not yet ended.
std::size_t PlayingWaveCount();

class MidiOutput;
class MidiPlayer;

// A window's own background music, started when the window is created or its music properties change and
// stopped when the window object goes. Music mode 0 repeats, 1 plays once, anything else does not play.
class WindowMusic {
 public:
  WindowMusic();
  // MIDI music plays on the given output instead of the platform's.
  explicit WindowMusic(MidiOutput& midi_output);
  ~WindowMusic();
  WindowMusic(const WindowMusic&) = delete;
  WindowMusic& operator=(const WindowMusic&) = delete;

  // Stops what the window played before, then starts the new music.
  void Start(const void* data, std::size_t size, std::int32_t mode);
  // Wave music stops every wave sound of the program (without waiting); MIDI music stops this window's player.
  void Stop();

 private:
  enum class Kind { kNone, kWave, kMidi } kind_ = Kind::kNone;
  MidiOutput* midi_output_;
  std::unique_ptr<MidiPlayer> midi_;
};

}  // namespace quarrow
