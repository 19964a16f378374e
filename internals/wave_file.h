// Wave files: the chunk walk that finds the sound format and the sample bytes, and the writer that lays chunks
// end to end the way the walk reads them.
//
// Chunks follow each other directly, without the alignment byte after odd-sized data; stored music has always
// been read that way. The walk never reads past the bytes it is given, whatever the sizes inside say.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "base/byte_stream.h"

namespace quarrow {

// The size of a PCM format block ("fmt " data without the extra-size word), the least a format needs.
inline constexpr std::size_t kWaveFormatMinimum = 16;
// The size of the platform's extended format block: the PCM fields plus the extra-size word.
inline constexpr std::size_t kWaveFormatBlockSize = 18;

struct WaveParts {
  bool has_format = false;
  bool has_samples = false;
  std::span<const std::uint8_t> format;   // the first "fmt " chunk's data (as much of it as the file holds)
  std::span<const std::uint8_t> samples;  // a "data" chunk's bytes (as many as the file holds)

  // A format of at least the PCM fields and at least one sample byte.
  bool Playable() const { return has_format && format.size() >= kWaveFormatMinimum && !samples.empty(); }
};

// Files of 35 bytes or less, and files without "RIFF" at 0 and "WAVE" at 8, have no parts. The walk starts at
// offset 12 and ends when both parts are known, when the next chunk would start at or beyond the RIFF size
// counted from offset 12, or when the next chunk header would not fit in the file.
WaveParts FindWaveParts(std::span<const std::uint8_t> file);

// The format as the output device takes it: at least 18 bytes, the extra-size word zero when the chunk had none
// and never claiming more extra bytes than the chunk holds.
Bytes WaveFormatBlock(std::span<const std::uint8_t> format);

// The 16 format bytes of plain PCM sound.
Bytes PcmFormat(std::uint16_t channels, std::uint32_t samples_per_second, std::uint16_t bits_per_sample);

class WaveFileWriter {
 public:
  // A chunk with its data's size.
  WaveFileWriter& Chunk(std::string_view id, std::span<const std::uint8_t> data);
  // A chunk whose size word says something other than the data's length (a truncated or damaged file).
  WaveFileWriter& ChunkWithSize(std::string_view id, std::uint32_t size, std::span<const std::uint8_t> data);
  // The whole file; its RIFF size is the count of bytes after offset 8 unless one is given.
  Bytes Finish() const;
  Bytes Finish(std::uint32_t riff_size) const;

 private:
  ByteWriter chunks_;
};

// A plain PCM wave file: "fmt " then "data".
Bytes MakePcmWave(std::span<const std::uint8_t> samples, std::uint16_t channels = 1,
                  std::uint32_t samples_per_second = 8000, std::uint16_t bits_per_sample = 8);

}  // namespace quarrow
