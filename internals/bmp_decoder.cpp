#include "internals/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace quarrow {

namespace {
constexpr std::size_t kFileHeaderSize = 14;
}

std::optional<PicturePixels> DecodeBmp(std::span<const std::uint8_t> file) {
  ByteReader r(file);
  if (r.U8() != 'B' || r.U8() != 'M') return std::nullopt;
  r.Skip(8);  // file size, reserved
  const std::uint32_t pixel_offset = r.U32();
  const std::uint32_t info_size = r.U32();
  const std::int64_t signed_width = r.I32();
  const std::int64_t signed_height = r.I32();
  r.Skip(2);  // planes
  const unsigned bits = r.U16();
  const std::uint32_t compression = r.U32();
  r.Skip(12);  // image size, resolution
  std::uint32_t colours_used = r.U32();
  r.Skip(4);
  if (r.Failed() || compression != 0 || info_size < kBitmapInfoHeaderSize) return std::nullopt;

  // The colour table follows the info header, whatever that header's version and size.
  std::array<std::uint8_t, 256 * 4> table{};  // indexes past the file's table are black
  std::uint64_t headers_end = kFileHeaderSize + std::uint64_t{info_size};
  if (bits == 1 || bits == 4 || bits == 8) {
    if (colours_used == 0) colours_used = 1u << bits;
    headers_end += std::uint64_t{colours_used} * 4;
    if (headers_end > pixel_offset) return std::nullopt;
    ByteReader t(file);
    t.Skip(kFileHeaderSize + info_size);
    const auto entries = t.Take(std::min<std::size_t>(colours_used, 256) * 4);
    if (t.Failed()) return std::nullopt;
    std::memcpy(table.data(), entries.data(), entries.size());
  } else if (bits != 24 && bits != 32) {
    return std::nullopt;
  }
  if (headers_end > pixel_offset) return std::nullopt;

  const std::int64_t width = std::llabs(signed_width);
  const std::int64_t height = std::llabs(signed_height);
  if (!PictureSizeAllowed(width, height)) return std::nullopt;
  const std::size_t row_bytes = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  if (pixel_offset > file.size() || (file.size() - pixel_offset) / row_bytes < static_cast<std::size_t>(height)) {
    return std::nullopt;  // rows missing
  }

  PicturePixels p;
  p.kind = PictureKind::kBmp;
  p.width = static_cast<std::int32_t>(width);
  p.height = static_cast<std::int32_t>(height);
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  p.pixels.resize(stride * static_cast<std::size_t>(height));

  // The picture's rows are bottom-up, as a positive height stores them; a negative height stores them top-down.
  const bool top_down = signed_height < 0;
  for (std::int64_t row = 0; row < height; ++row) {
    const std::uint8_t* in = file.data() + pixel_offset + row_bytes * static_cast<std::size_t>(row);
    const std::int64_t out_row = top_down ? height - 1 - row : row;
    std::uint8_t* out = p.pixels.data() + stride * static_cast<std::size_t>(out_row);
    for (std::int64_t x = 0; x < width; ++x, out += 3) {
      const std::uint8_t* colour;
      if (bits == 24 || bits == 32) {
        colour = in + x * (bits / 8);
      } else {
        // Indexes fill each byte from its most significant bits.
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        const unsigned index = (in[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        colour = &table[index * 4];
      }
      out[0] = colour[0];
      out[1] = colour[1];
      out[2] = colour[2];
    }
  }
  return p;
}

}  // namespace quarrow
