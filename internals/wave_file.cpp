#include "internals/wave_file.h"

#include <algorithm>
#include <cstring>

namespace quarrow {

namespace {

bool IdIs(std::span<const std::uint8_t> id, const char (&name)[5]) {
  return id.size() == 4 && std::memcmp(id.data(), name, 4) == 0;
}

void WriteId(ByteWriter& w, std::string_view id) {
  char four[4] = {' ', ' ', ' ', ' '};
  std::memcpy(four, id.data(), std::min<std::size_t>(id.size(), 4));
  w.Raw(four, 4);
}

}  // namespace

WaveParts FindWaveParts(std::span<const std::uint8_t> file) {
  WaveParts parts;
  if (file.size() <= 35) return parts;
  ByteReader header(file);
  const auto riff = header.Take(4);
  const std::uint64_t riff_size = header.U32();
  if (!IdIs(riff, "RIFF") || !IdIs(header.Take(4), "WAVE")) return parts;

  const std::uint64_t end = 12 + riff_size;
  std::uint64_t at = 12;
  while (at < end && at + 8 <= file.size()) {
    ByteReader chunk(file.subspan(static_cast<std::size_t>(at)));
    const auto id = chunk.Take(4);
    const std::uint32_t size = chunk.U32();
    // A chunk that claims more than the file holds yields what is there.
    const auto data = chunk.Take(std::min<std::size_t>(size, chunk.Remaining()));
    if (IdIs(id, "fmt ") && !parts.has_format) {
      parts.has_format = true;
      parts.format = data;
    } else if (IdIs(id, "data") && !parts.has_samples) {
      parts.has_samples = true;
      parts.samples = data;
    }
    if (parts.has_format && parts.has_samples) break;
    at += 8 + static_cast<std::uint64_t>(size);
  }
  return parts;
}

Bytes WaveFormatBlock(std::span<const std::uint8_t> format) {
  Bytes block(format.begin(), format.end());
  if (block.size() < kWaveFormatBlockSize) {
    block.resize(kWaveFormatBlockSize, 0);
    block[16] = block[17] = 0;
    return block;
  }
  const std::size_t declared = block[16] | (block[17] << 8);
  const std::size_t extra = std::min(declared, block.size() - kWaveFormatBlockSize);
  block.resize(kWaveFormatBlockSize + extra);
  block[16] = static_cast<std::uint8_t>(extra);
  block[17] = static_cast<std::uint8_t>(extra >> 8);
  return block;
}

Bytes PcmFormat(std::uint16_t channels, std::uint32_t samples_per_second, std::uint16_t bits_per_sample) {
  const std::uint16_t block_align = static_cast<std::uint16_t>(channels * ((bits_per_sample + 7) / 8));
  ByteWriter w;
  w.U16(1);  // PCM
  w.U16(channels);
  w.U32(samples_per_second);
  w.U32(samples_per_second * block_align);
  w.U16(block_align);
  w.U16(bits_per_sample);
  return w.Release();
}

WaveFileWriter& WaveFileWriter::Chunk(std::string_view id, std::span<const std::uint8_t> data) {
  return ChunkWithSize(id, static_cast<std::uint32_t>(data.size()), data);
}

WaveFileWriter& WaveFileWriter::ChunkWithSize(std::string_view id, std::uint32_t size,
                                              std::span<const std::uint8_t> data) {
  WriteId(chunks_, id);
  chunks_.U32(size);
  chunks_.Raw(data);
  return *this;
}

Bytes WaveFileWriter::Finish() const { return Finish(static_cast<std::uint32_t>(4 + chunks_.Size())); }

Bytes WaveFileWriter::Finish(std::uint32_t riff_size) const {
  ByteWriter w;
  WriteId(w, "RIFF");
  w.U32(riff_size);
  WriteId(w, "WAVE");
  w.Raw(chunks_.Data());
  return w.Release();
}

Bytes MakePcmWave(std::span<const std::uint8_t> samples, std::uint16_t channels,
                  std::uint32_t samples_per_second, std::uint16_t bits_per_sample) {
  const Bytes format = PcmFormat(channels, samples_per_second, bits_per_sample);
  return WaveFileWriter().Chunk("fmt ", format).Chunk("data", samples).Finish();
}

}  // namespace quarrow
