// Background music: wave and MIDI data played for windows and libraries.
#pragma once

#include <cstddef>

namespace quarrow {

// Starts playing wave or MIDI file bytes (copied); other data plays nothing.
void PlayMusic(const void* data, std::size_t size, bool loop);
// Stops every sound; with wait, returns only after every player has ended.
void StopAllMusic(bool wait);

}  // namespace quarrow
