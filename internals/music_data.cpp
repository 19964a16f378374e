#include "internals/music_data.h"

#include <cstring>

namespace quarrow {

MusicKind RecognizeMusic(const void* data, std::size_t size) {
  if (data == nullptr) return MusicKind::kNone;
  const auto* bytes = static_cast<const char*>(data);
  if (size > 11 && std::memcmp(bytes, "RIFF", 4) == 0 && std::memcmp(bytes + 8, "WAVE", 4) == 0) {
    return MusicKind::kWave;
  }
  if (size > 4 && std::memcmp(bytes, "MThd", 4) == 0) return MusicKind::kMidi;
  return MusicKind::kNone;
}

}  // namespace quarrow
