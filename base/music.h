// The program's music as the runtime object sees it: what libraries ask it to play, and all of it stopped at once.
// The runtime holds it through this interface, handed to it at start by a layer above it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quarrow {

class Music {
 public:
  virtual ~Music() = default;

  // Play music (runtime notify code 2015): wave or MIDI file bytes, copied; other data plays nothing. 1 when the
  // music was taken, else 0.
  virtual std::int32_t Play(const void* data, std::size_t size, bool loop) = 0;
  // Stop music (code 2016) without waiting; shutdown waits until every player has ended.
  virtual void StopAll(bool wait) = 0;
};

}  // namespace quarrow
