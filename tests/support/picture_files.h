// Small picture files made by the tests: BMP, GIF, PCX, ICO and CUR writers, just complete enough to make the
// cases the decoders must handle. Colours are 0xRRGGBB; images are given top-down.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/byte_stream.h"

namespace quarrow::testing {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // row by row from the top
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indexes;  // row by row from the top
  std::vector<std::uint32_t> palette;
  std::uint8_t At(int x, int y) const { return indexes[static_cast<std::size_t>(y) * width + x]; }
};

// A pattern that tells every pixel apart from its neighbours: its colour is made from x and y.
RgbImage PatternImage(int width, int height);
IndexedImage PatternIndexedImage(int width, int height, int colours);

struct BmpOptions {
  int bits = 24;                  // 1, 4, 8, 24 or 32
  bool top_down = false;          // a negative height
  std::uint32_t compression = 0;
  std::uint32_t info_size = 40;   // a larger header is written with zeros after the first 40 bytes
  std::uint32_t colours_used = 0; // written as given; the table has this many entries (or the palette's size)
  std::int64_t pixel_offset = -1; // -1: right after the colour table
};
Bytes WriteBmp(const RgbImage& image, const BmpOptions& options = {});
Bytes WriteBmp(const IndexedImage& image, const BmpOptions& options);

struct GifOptions {
  bool gif89 = true;
  int screen_width = -1;  // -1: the image's size
  int screen_height = -1;
  int left = 0;
  int top = 0;
  std::uint8_t background = 0;
  bool local_table = false;
  bool interlaced = false;
  int min_code_size = 8;
  struct Control {
    std::uint8_t disposal = 0;
    bool transparent = false;
    std::uint16_t delay = 0;
    std::uint8_t transparent_index = 0;
  };
  std::optional<Control> control = std::nullopt;
  bool comment_before_image = false;  // an extension that the decoder must skip
};
Bytes WriteGif(const IndexedImage& image, const GifOptions& options = {});
// The format's LZW coding, with a clear code first, a clear when the table is full, and the end code.
Bytes LzwEncode(const std::vector<std::uint8_t>& indexes, int min_code_size);

struct PcxOptions {
  int bits = 8;                 // 8, or 1 (index 1 is a set bit)
  int version = 5;
  int planes = 1;
  int extra_bytes_per_line = 0; // beyond the even number of bytes a line needs
  bool colour_table = true;     // 8 bits: the 0x0C marker and 768 bytes after the image
  int xmin = 0;
  int ymin = 0;
};
Bytes WritePcx(const IndexedImage& image, const PcxOptions& options = {});

struct IconEntry {
  std::uint8_t width = 0;
  std::uint8_t height = 0;
  std::uint8_t colours = 0;
  std::uint16_t planes_or_hot_x = 1;
  std::uint16_t bits_or_hot_y = 32;
  Bytes image;
};
// An icon image: a 32-bit colour bitmap (alpha 255 where the mask is clear) and its mask, which is set where
// the colour is `transparent`.
Bytes IconImageBits(const RgbImage& image, std::optional<std::uint32_t> transparent = std::nullopt);
// type 1: ICO, type 2: CUR.
Bytes WriteIconFile(std::uint16_t type, const std::vector<IconEntry>& entries);

}  // namespace quarrow::testing
