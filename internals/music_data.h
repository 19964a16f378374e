// What kind of music a byte buffer holds: the complete bytes of a wave file or of a standard MIDI file.
#pragma once

#include <cstddef>

namespace quarrow {

enum class MusicKind { kNone, kWave, kMidi };

// Wave: more than 11 bytes starting "RIFF" with "WAVE" at byte 8. MIDI: more than 4 bytes starting "MThd".
// The first match wins; anything else is not music.
MusicKind RecognizeMusic(const void* data, std::size_t size);

}  // namespace quarrow
