// The wave chunk walk on arbitrary bytes: it ends, and what it finds lies inside the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "internals/music_data.h"
#include "internals/wave_file.h"

namespace {
void Within(std::span<const std::uint8_t> part, const std::uint8_t* data, std::size_t size) {
  if (part.empty()) return;
  if (part.data() < data || part.data() + part.size() > data + size) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const quarrow::WaveParts parts = quarrow::FindWaveParts({data, size});
  Within(parts.format, data, size);
  Within(parts.samples, data, size);
  if (parts.has_format && quarrow::RecognizeMusic(data, size) != quarrow::MusicKind::kWave) std::abort();
  if (parts.has_format) {
    const quarrow::Bytes block = quarrow::WaveFormatBlock(parts.format);
    const std::size_t extra = block[16] | (block[17] << 8);
    if (block.size() != quarrow::kWaveFormatBlockSize + extra) std::abort();
  }
  return 0;
}
