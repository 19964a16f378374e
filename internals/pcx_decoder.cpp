#include "internals/pcx_decoder.h"

#include <algorithm>
#include <cstring>

namespace quarrow {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::uint8_t kColourTableMarker = 0x0C;

// Expands the run-length coded data into out; returns the offset of the first byte after it, or 0 when the
// file ends first. A byte above 0xC0 repeats the byte after it (byte - 0xC0) times; any other byte is itself.
std::size_t Expand(std::span<const std::uint8_t> file, std::span<std::uint8_t> out) {
  std::size_t in = kHeaderSize;
  std::size_t written = 0;
  while (written < out.size()) {
    if (in >= file.size()) return 0;
    std::uint8_t b = file[in++];
    std::size_t count = 1;
    if (b > 0xC0) {
      if (in >= file.size()) return 0;
      count = b - 0xC0u;
      b = file[in++];
    }
    count = std::min(count, out.size() - written);
    std::memset(out.data() + written, b, count);
    written += count;
  }
  return in;
}

}  // namespace

std::optional<PicturePixels> DecodePcx(std::span<const std::uint8_t> file) {
  if (file.size() <= kHeaderSize) return std::nullopt;
  ByteReader r(file);
  const std::uint8_t manufacturer = r.U8();
  const std::uint8_t version = r.U8();
  const std::uint8_t encoding = r.U8();
  const std::uint8_t bits = r.U8();
  const std::int32_t xmin = r.U16();
  const std::int32_t ymin = r.U16();
  const std::int32_t xmax = r.U16();
  const std::int32_t ymax = r.U16();
  r.Skip(4 + 48 + 1);  // resolution, 16-colour table, reserved
  const std::uint8_t planes = r.U8();
  const std::size_t bytes_per_line = r.U16();
  if (manufacturer != 0x0A || encoding != 1 || version > 5) return std::nullopt;
  if (xmax < xmin || ymax < ymin) return std::nullopt;
  const std::int32_t width = xmax - xmin + 1;
  const std::int32_t height = ymax - ymin + 1;
  if (!PictureSizeAllowed(width, height)) return std::nullopt;
  // One plane only: three 8-bit planes are a true-colour file, which an indexed picture would scramble.
  if (planes != 1 || (bits != 1 && bits != 8)) return std::nullopt;
  const std::size_t used_bytes = bits == 8 ? static_cast<std::size_t>(width) : (static_cast<std::size_t>(width) + 7) / 8;
  if (bytes_per_line < used_bytes) return std::nullopt;

  Bytes lines(bytes_per_line * static_cast<std::size_t>(height));
  const std::size_t after = Expand(file, lines);
  if (after == 0) return std::nullopt;

  if (bits == 1) {
    PicturePixels p;
    p.kind = PictureKind::kPcx1;
    p.width = width;
    p.height = height;
    const std::size_t stride = MonochromeStride(width);
    p.pixels.assign(stride * static_cast<std::size_t>(height), 0);
    for (std::int32_t y = 0; y < height; ++y) {
      std::memcpy(p.pixels.data() + stride * y, lines.data() + bytes_per_line * y, used_bytes);
    }
    return p;
  }

  PicturePixels p = MakeIndexedPicture(PictureKind::kPcx8, width, height);
  for (std::int32_t y = 0; y < height; ++y) {
    std::memcpy(IndexedRow(p, y), lines.data() + bytes_per_line * y, used_bytes);
  }
  // The colour table follows the image data behind its marker. A file without one keeps the table black.
  if (after < file.size() && file[after] == kColourTableMarker) {
    if (file.size() - after - 1 < 256 * 3) return std::nullopt;  // cut inside the table
    const std::uint8_t* rgb = file.data() + after + 1;
    for (int i = 0; i < 256; ++i) {
      std::uint8_t* c = IndexedColour(p, i);
      c[0] = rgb[3 * i + 2];
      c[1] = rgb[3 * i + 1];
      c[2] = rgb[3 * i];
    }
  }
  return p;
}

}  // namespace quarrow
