#include "internals/gif_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace quarrow {

namespace {

constexpr int kMaxCodes = 4096;

// Reads a chain of data sub-blocks up to its zero-length terminator; false when the file ends first.
bool ReadSubBlocks(ByteReader& r, Bytes* out) {
  for (;;) {
    const std::uint8_t n = r.U8();
    if (r.Failed()) return false;
    if (n == 0) return true;
    const auto block = r.Take(n);
    if (r.Failed()) return false;
    if (out != nullptr) out->insert(out->end(), block.begin(), block.end());
  }
}

// Variable-length LZW codes, least significant bit first.
class CodeReader {
 public:
  explicit CodeReader(const Bytes& data) : data_(data) {}
  // -1 when the data runs out.
  int Next(int size) {
    while (bits_ < size) {
      if (pos_ == data_.size()) return -1;
      buffer_ |= static_cast<std::uint32_t>(data_[pos_++]) << bits_;
      bits_ += 8;
    }
    const int code = static_cast<int>(buffer_ & ((1u << size) - 1));
    buffer_ >>= size;
    bits_ -= size;
    return code;
  }

 private:
  const Bytes& data_;
  std::size_t pos_ = 0;
  std::uint32_t buffer_ = 0;
  int bits_ = 0;
};

// Decompresses up to out.size() indexes; what the data does not reach keeps its value. False for a code that
// names no table entry yet.
bool DecompressLzw(const Bytes& data, int min_code_size, std::span<std::uint8_t> out) {
  const int clear = 1 << min_code_size;
  const int end = clear + 1;
  std::array<std::uint16_t, kMaxCodes> prefix{};
  std::array<std::uint8_t, kMaxCodes> suffix{};
  std::array<std::uint8_t, kMaxCodes + 1> stack{};
  for (int i = 0; i < clear; ++i) suffix[i] = static_cast<std::uint8_t>(i);

  CodeReader codes(data);
  int size = min_code_size + 1;
  int next = clear + 2;
  int previous = -1;
  std::uint8_t first = 0;
  std::size_t written = 0;
  while (written < out.size()) {
    int code = codes.Next(size);
    if (code < 0 || code == end) break;
    if (code == clear) {
      size = min_code_size + 1;
      next = clear + 2;
      previous = -1;
      continue;
    }
    if (previous < 0) {
      if (code > clear) return false;
      first = static_cast<std::uint8_t>(code);
      out[written++] = first;
      previous = code;
      continue;
    }
    if (code > next) return false;
    const int this_code = code;
    int depth = 0;
    if (code == next) {  // the entry being made: the previous string plus its own first index
      stack[depth++] = first;
      code = previous;
    }
    while (code > end) {
      stack[depth++] = suffix[code];
      code = prefix[code];
    }
    first = static_cast<std::uint8_t>(code);
    stack[depth++] = first;
    while (depth > 0 && written < out.size()) out[written++] = stack[--depth];

    if (next < kMaxCodes) {
      prefix[next] = static_cast<std::uint16_t>(previous);
      suffix[next] = first;
      ++next;
      if (next == (1 << size) && size < 12) ++size;
    }
    previous = this_code;
  }
  return true;
}

// The row of the image that the n-th decoded row is, for interlaced images: every eighth row from 0, every
// eighth from 4, every fourth from 2, every second from 1.
int InterlacedRow(int n, int height) {
  const int pass1 = (height + 7) / 8;
  const int pass2 = (height + 3) / 8;
  const int pass3 = (height + 1) / 4;
  if (n < pass1) return n * 8;
  n -= pass1;
  if (n < pass2) return 4 + n * 8;
  n -= pass2;
  if (n < pass3) return 2 + n * 4;
  n -= pass3;
  return 1 + n * 2;
}

void ReadColourTable(std::span<const std::uint8_t> rgb, PicturePixels& p) {
  for (std::size_t i = 0; i < rgb.size() / 3; ++i) {
    std::uint8_t* c = IndexedColour(p, static_cast<int>(i));
    c[0] = rgb[3 * i + 2];
    c[1] = rgb[3 * i + 1];
    c[2] = rgb[3 * i];
    c[3] = 0;
  }
}

}  // namespace

std::optional<PicturePixels> DecodeGif(std::span<const std::uint8_t> file) {
  if (file.size() < 14) return std::nullopt;
  ByteReader r(file);
  const auto signature = r.Take(6);
  if (std::memcmp(signature.data(), "GIF87a", 6) != 0 && std::memcmp(signature.data(), "GIF89a", 6) != 0) {
    return std::nullopt;
  }
  std::int32_t screen_width = r.U16();
  std::int32_t screen_height = r.U16();
  const std::uint8_t flags = r.U8();
  const std::uint8_t background = r.U8();
  r.Skip(1);  // aspect ratio
  std::span<const std::uint8_t> global_table;
  if (flags & 0x80) global_table = r.Take(3u << ((flags & 7) + 1));
  if (r.Failed()) return std::nullopt;

  GraphicControl control;
  for (;;) {
    const std::uint8_t introducer = r.U8();
    if (r.Failed()) return std::nullopt;
    if (introducer == 0x21) {
      const std::uint8_t label = r.U8();
      Bytes data;
      if (!ReadSubBlocks(r, &data)) return std::nullopt;
      if (label == 0xF9 && data.size() >= 4) {
        control.present = true;
        control.disposal = (data[0] >> 2) & 7;
        control.transparent = (data[0] & 1) != 0;
        control.delay = static_cast<std::uint16_t>(data[1] | (data[2] << 8));
        control.transparent_index = data[3];
      }
      continue;
    }
    if (introducer != 0x2C) return std::nullopt;  // the trailer before any image, or not a block at all

    const std::int32_t left = r.U16();
    const std::int32_t top = r.U16();
    const std::int32_t width = r.U16();
    const std::int32_t height = r.U16();
    const std::uint8_t image_flags = r.U8();
    std::span<const std::uint8_t> local_table;
    if (image_flags & 0x80) local_table = r.Take(3u << ((image_flags & 7) + 1));
    const int min_code_size = r.U8();
    Bytes data;
    if (r.Failed() || !ReadSubBlocks(r, &data)) return std::nullopt;
    if (min_code_size < 1 || min_code_size > 8) return std::nullopt;

    // A screen of no size takes the image's.
    if (screen_width == 0 || screen_height == 0) {
      screen_width = left + width;
      screen_height = top + height;
    }
    if (!PictureSizeAllowed(screen_width, screen_height)) return std::nullopt;
    if (width > 0 && height > 0 && !PictureSizeAllowed(width, height)) return std::nullopt;

    PicturePixels p = MakeIndexedPicture(PictureKind::kGif, screen_width, screen_height);
    p.control = control;
    ReadColourTable(local_table.empty() ? global_table : local_table, p);
    const std::uint8_t fill = control.transparent ? control.transparent_index : background;
    for (std::int32_t y = 0; y < screen_height; ++y) std::memset(IndexedRow(p, y), fill, screen_width);

    std::vector<std::uint8_t> image(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::fill(image.begin(), image.end(), fill);
    if (!DecompressLzw(data, min_code_size, image)) return std::nullopt;
    const bool interlaced = (image_flags & 0x40) != 0;
    const std::int32_t visible_width = std::max(0, std::min(width, screen_width - left));
    for (std::int32_t n = 0; n < height; ++n) {
      const std::int32_t y = top + (interlaced ? InterlacedRow(n, height) : n);
      if (y >= screen_height || visible_width == 0) continue;
      std::memcpy(IndexedRow(p, y) + left, image.data() + static_cast<std::size_t>(n) * width, visible_width);
    }
    return p;
  }
}

}  // namespace quarrow
