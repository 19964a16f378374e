// The runtime object's music: the list of playing wave sounds (guarded by the runtime lock), the runtime's MIDI
// player and the buffer that holds the copy of the MIDI data it plays. Windows keep their own MIDI player.
#pragma once

#include <vector>

#include "internals/midi_player.h"
#include "base/byte_stream.h"

namespace quarrow {

class WavePlayer;

struct SoundState {
  std::vector<WavePlayer*> wave_players;  // in creation order; only under TheRuntime().RuntimeLock()
  MidiPlayer midi;                        // main thread only
  Bytes music;                            // the MIDI data the runtime's player was loaded from
};

}  // namespace quarrow
