#include "internals/sound.h"

namespace quarrow {

// No player exists yet: nothing plays, so there is nothing to stop.
class MidiPlayer {};

std::int32_t PlayMusic(const void*, std::size_t, bool) { return 0; }
void StopAllMusic(bool) {}

WindowMusic::WindowMusic() = default;
WindowMusic::~WindowMusic() { Stop(); }
void WindowMusic::Start(const void*, std::size_t, std::int32_t) {}
void WindowMusic::Stop() { kind_ = Kind::kNone; }

}  // namespace quarrow
