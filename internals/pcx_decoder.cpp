#include "internals/pcx_decoder.h"

#include <algorithm>
#include <cstring>

namespace quarrow {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::uint8_t kColourTableMarker = 0x0C;
constexpr std::size_t kLongestRun = 0xFF - 0xC0;

// The run-length coded image data, read one line at a time: a byte above 0xC0 repeats the byte after it
// (byte - 0xC0) times; any other byte is itself. A run may go on into the next line.
//
// Lines are read one by one rather than into one buffer for the whole image: a line's stored length may be far
// longer than its pixels (up to 65535 bytes for a picture one pixel wide), and a file of a hundred bytes must
// not make the decoder find room for gigabytes of padding.
class RunLengthLines {
 public:
  explicit RunLengthLines(std::span<const std::uint8_t> file) : file_(file) {}

  // Reads the next line of `length` bytes, keeping the first out.size() of them; false when the file ends first.
  bool Read(std::span<std::uint8_t> out, std::size_t length) {
    std::size_t done = 0;
    while (done < length) {
      if (left_ == 0 && !NextRun()) return false;
      const std::size_t n = std::min(left_, length - done);
      if (done < out.size()) std::memset(out.data() + done, value_, std::min(n, out.size() - done));
      done += n;
      left_ -= n;
    }
    return true;
  }
  // The offset of the first byte after the runs read so far; what is left of the last run counts as read.
  std::size_t End() const { return in_; }

 private:
  bool NextRun() {
    if (in_ >= file_.size()) return false;
    value_ = file_[in_++];
    left_ = 1;
    if (value_ > 0xC0) {
      if (in_ >= file_.size()) return false;
      left_ = value_ - 0xC0u;
      value_ = file_[in_++];
    }
    return true;
  }

  std::span<const std::uint8_t> file_;
  std::size_t in_ = kHeaderSize;
  std::size_t left_ = 0;
  std::uint8_t value_ = 0;
};

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
  // No run makes more than 63 bytes: a file too short for all its lines is refused before any room is taken.
  if (bytes_per_line * static_cast<std::size_t>(height) > (file.size() - kHeaderSize) * kLongestRun) {
    return std::nullopt;
  }

  RunLengthLines lines(file);
  if (bits == 1) {
    PicturePixels p;
    p.kind = PictureKind::kPcx1;
    p.width = width;
    p.height = height;
    const std::size_t stride = MonochromeStride(width);
    p.pixels.assign(stride * static_cast<std::size_t>(height), 0);
    for (std::int32_t y = 0; y < height; ++y) {
      if (!lines.Read({p.pixels.data() + stride * y, used_bytes}, bytes_per_line)) return std::nullopt;
    }
    return p;
  }

  PicturePixels p = MakeIndexedPicture(PictureKind::kPcx8, width, height);
  for (std::int32_t y = 0; y < height; ++y) {
    if (!lines.Read({IndexedRow(p, y), used_bytes}, bytes_per_line)) return std::nullopt;
  }
  const std::size_t after = lines.End();
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
