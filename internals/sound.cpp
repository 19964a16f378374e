#include "internals/sound.h"

namespace quarrow {

// No player exists yet: nothing plays, so there is nothing to stop.
void PlayMusic(const void*, std::size_t, bool) {}
void StopAllMusic(bool) {}

}  // namespace quarrow
