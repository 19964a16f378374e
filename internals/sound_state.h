// The runtime object's music: the list of playing wave sounds (guarded by the runtime lock), the runtime's MIDI
// player and the buffer that holds the copy of the MIDI data it plays. Windows keep their own MIDI player.
#pragma once

#include <vector>

#include "base/byte_stream.h"
#include "base/music.h"
#include "internals/midi_player.h"

namespace quarrow {

class WavePlayer;

struct SoundState final : public Music {
  std::int32_t Play(const void* data, std::size_t size, bool loop) override;
  void StopAll(bool wait) override;

  std::vector<WavePlayer*> wave_players;  // in creation order; only under TheRuntime().RuntimeLock()
  MidiPlayer midi;                        // main thread only
  Bytes music;                            // the MIDI data the runtime's player was loaded from
};

// The music the runtime object was given.
SoundState& RuntimeSound();

}  // namespace quarrow
