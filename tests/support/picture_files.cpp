#include "tests/support/picture_files.h"

#include <map>
#include <utility>

namespace quarrow::testing {

namespace {

void Colour(ByteWriter& w, std::uint32_t rgb, std::uint8_t fourth) {
  w.U8(static_cast<std::uint8_t>(rgb));
  w.U8(static_cast<std::uint8_t>(rgb >> 8));
  w.U8(static_cast<std::uint8_t>(rgb >> 16));
  w.U8(fourth);
}

void Rgb(ByteWriter& w, std::uint32_t rgb) {
  w.U8(static_cast<std::uint8_t>(rgb >> 16));
  w.U8(static_cast<std::uint8_t>(rgb >> 8));
  w.U8(static_cast<std::uint8_t>(rgb));
}

// Blue, green, red, reserved, as bitmap colour tables keep them.
void Quad(ByteWriter& w, std::uint32_t rgb) { Colour(w, rgb, 0); }

void BitmapInfoHeader(ByteWriter& w, std::uint32_t size, int width, int height, int bits,
                      std::uint32_t compression, std::uint32_t colours_used) {
  w.U32(size);
  w.I32(width);
  w.I32(height);
  w.U16(1);
  w.U16(static_cast<std::uint16_t>(bits));
  w.U32(compression);
  w.U32(0);
  w.U32(2835);
  w.U32(2835);
  w.U32(colours_used);
  w.U32(0);
  if (size > 40) w.Zeros(size - 40);
}

std::size_t RowBytes(int width, int bits) { return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4; }

// The rows of a bitmap, in file order, for the given depth; `colour` or `index` yields pixel (x, y) from the top.
template <class PixelWriter>
void BitmapRows(ByteWriter& w, int width, int height, int bits, bool top_down, PixelWriter pixel) {
  const std::size_t row_bytes = RowBytes(width, bits);
  for (int n = 0; n < height; ++n) {
    const int y = top_down ? n : height - 1 - n;
    Bytes row(row_bytes, 0);
    for (int x = 0; x < width; ++x) pixel(row, x, y);
    w.Raw(row.data(), row.size());
  }
}

void BmpFileHeader(ByteWriter& w, std::size_t file_size, std::size_t pixel_offset) {
  w.U8('B');
  w.U8('M');
  w.U32(static_cast<std::uint32_t>(file_size));
  w.U32(0);
  w.U32(static_cast<std::uint32_t>(pixel_offset));
}

}  // namespace

RgbImage PatternImage(int width, int height) {
  RgbImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.pixels.push_back((static_cast<std::uint32_t>(x * 37 + 11) & 0xFF) << 16 |
                             (static_cast<std::uint32_t>(y * 53 + 7) & 0xFF) << 8 |
                             (static_cast<std::uint32_t>(x * 5 + y * 3 + 1) & 0xFF));
    }
  }
  return image;
}

IndexedImage PatternIndexedImage(int width, int height, int colours) {
  IndexedImage image{width, height, {}, {}};
  for (int i = 0; i < colours; ++i) {
    image.palette.push_back(static_cast<std::uint32_t>(i * 0x010305 + 0x203040) & 0xFFFFFF);
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.indexes.push_back(static_cast<std::uint8_t>((x * 7 + y * 3 + x * y) % colours));
  }
  return image;
}

Bytes WriteBmp(const RgbImage& image, const BmpOptions& o) {
  const std::size_t headers = 14 + o.info_size;
  const std::size_t offset = o.pixel_offset >= 0 ? static_cast<std::size_t>(o.pixel_offset) : headers;
  const std::size_t size = offset + RowBytes(image.width, o.bits) * image.height;
  ByteWriter w;
  BmpFileHeader(w, size, offset);
  BitmapInfoHeader(w, o.info_size, image.width, o.top_down ? -image.height : image.height, o.bits, o.compression,
                   o.colours_used);
  if (offset > w.Size()) w.Zeros(offset - w.Size());
  const int bytes = o.bits / 8;
  BitmapRows(w, image.width, image.height, o.bits, o.top_down, [&](Bytes& row, int x, int y) {
    const std::uint32_t c = image.At(x, y);
    for (int i = 0; i < bytes; ++i) row[x * bytes + i] = static_cast<std::uint8_t>(c >> (8 * i));
    if (bytes == 4) row[x * bytes + 3] = 0x5A;  // unused by the format; must be ignored
  });
  return w.Release();
}

Bytes WriteBmp(const IndexedImage& image, const BmpOptions& o) {
  const std::size_t entries = o.colours_used != 0 ? o.colours_used : image.palette.size();
  const std::size_t headers = 14 + o.info_size + entries * 4;
  const std::size_t offset = o.pixel_offset >= 0 ? static_cast<std::size_t>(o.pixel_offset) : headers;
  const std::size_t size = std::max(offset, headers) + RowBytes(image.width, o.bits) * image.height;
  ByteWriter w;
  BmpFileHeader(w, size, offset);
  BitmapInfoHeader(w, o.info_size, image.width, o.top_down ? -image.height : image.height, o.bits, o.compression,
                   o.colours_used);
  for (std::size_t i = 0; i < entries; ++i) Quad(w, i < image.palette.size() ? image.palette[i] : 0);
  if (offset > w.Size()) w.Zeros(offset - w.Size());
  BitmapRows(w, image.width, image.height, o.bits, o.top_down, [&](Bytes& row, int x, int y) {
    const std::size_t bit = static_cast<std::size_t>(x) * o.bits;
    row[bit / 8] |= static_cast<std::uint8_t>(image.At(x, y) << (8 - o.bits - bit % 8));
  });
  return w.Release();
}

Bytes LzwEncode(const std::vector<std::uint8_t>& indexes, int min_code_size) {
  const int clear = 1 << min_code_size;
  Bytes out;
  std::uint32_t buffer = 0;
  int bits = 0;
  int size = min_code_size + 1;
  const auto put = [&](int code) {
    buffer |= static_cast<std::uint32_t>(code) << bits;
    bits += size;
    while (bits >= 8) {
      out.push_back(static_cast<std::uint8_t>(buffer));
      buffer >>= 8;
      bits -= 8;
    }
  };
  std::map<std::pair<int, int>, int> table;
  int next = clear + 2;
  put(clear);
  int current = -1;
  for (const std::uint8_t c : indexes) {
    if (current < 0) {
      current = c;
      continue;
    }
    const auto found = table.find({current, c});
    if (found != table.end()) {
      current = found->second;
      continue;
    }
    put(current);
    table[{current, c}] = next++;
    // The reader adds each entry one code later than the writer: it widens its codes when its table reaches
    // the next power of two, which is when the writer has added the entry at that power.
    if (next - 1 == (1 << size) && size < 12) ++size;
    if (next == 4096) {
      put(clear);
      table.clear();
      next = clear + 2;
      size = min_code_size + 1;
    }
    current = c;
  }
  if (current >= 0) {
    put(current);
    if (next < 4096 && next == (1 << size) && size < 12) ++size;
  }
  put(clear + 1);
  if (bits > 0) out.push_back(static_cast<std::uint8_t>(buffer));
  return out;
}

Bytes WriteGif(const IndexedImage& image, const GifOptions& o) {
  const int screen_width = o.screen_width >= 0 ? o.screen_width : image.width;
  const int screen_height = o.screen_height >= 0 ? o.screen_height : image.height;
  int table_bits = 1;
  while ((1u << table_bits) < image.palette.size()) ++table_bits;
  const auto table = [&](ByteWriter& w) {
    for (std::size_t i = 0; i < (1u << table_bits); ++i) Rgb(w, i < image.palette.size() ? image.palette[i] : 0);
  };
  ByteWriter w;
  w.Raw(o.gif89 ? "GIF89a" : "GIF87a", 6);
  w.U16(static_cast<std::uint16_t>(screen_width));
  w.U16(static_cast<std::uint16_t>(screen_height));
  w.U8(static_cast<std::uint8_t>((o.local_table ? 0 : 0x80) | 0x70 | (table_bits - 1)));
  w.U8(o.background);
  w.U8(0);
  if (!o.local_table) table(w);
  if (o.comment_before_image) {
    w.U8(0x21);
    w.U8(0xFE);
    w.U8(5);
    w.Raw("hello", 5);
    w.U8(3);
    w.Raw("abc", 3);
    w.U8(0);
  }
  if (o.control) {
    w.U8(0x21);
    w.U8(0xF9);
    w.U8(4);
    w.U8(static_cast<std::uint8_t>((o.control->disposal << 2) | (o.control->transparent ? 1 : 0)));
    w.U16(o.control->delay);
    w.U8(o.control->transparent_index);
    w.U8(0);
  }
  w.U8(0x2C);
  w.U16(static_cast<std::uint16_t>(o.left));
  w.U16(static_cast<std::uint16_t>(o.top));
  w.U16(static_cast<std::uint16_t>(image.width));
  w.U16(static_cast<std::uint16_t>(image.height));
  w.U8(static_cast<std::uint8_t>((o.local_table ? 0x80 | (table_bits - 1) : 0) | (o.interlaced ? 0x40 : 0)));
  if (o.local_table) table(w);

  std::vector<std::uint8_t> order;
  if (o.interlaced) {
    for (const auto& [start, step] : {std::pair{0, 8}, std::pair{4, 8}, std::pair{2, 4}, std::pair{1, 2}}) {
      for (int y = start; y < image.height; y += step) {
        order.insert(order.end(), image.indexes.begin() + y * image.width,
                     image.indexes.begin() + (y + 1) * image.width);
      }
    }
  } else {
    order = image.indexes;
  }
  w.U8(static_cast<std::uint8_t>(o.min_code_size));
  const Bytes data = LzwEncode(order, o.min_code_size);
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - at);
    w.U8(static_cast<std::uint8_t>(n));
    w.Raw(data.data() + at, n);
  }
  w.U8(0);
  w.U8(0x3B);
  return w.Release();
}

Bytes WritePcx(const IndexedImage& image, const PcxOptions& o) {
  const int used = o.bits == 8 ? image.width : (image.width + 7) / 8;
  const int bytes_per_line = (used + 1) / 2 * 2 + o.extra_bytes_per_line;
  ByteWriter w;
  w.U8(0x0A);
  w.U8(static_cast<std::uint8_t>(o.version));
  w.U8(1);
  w.U8(static_cast<std::uint8_t>(o.bits));
  w.U16(static_cast<std::uint16_t>(o.xmin));
  w.U16(static_cast<std::uint16_t>(o.ymin));
  w.U16(static_cast<std::uint16_t>(o.xmin + image.width - 1));
  w.U16(static_cast<std::uint16_t>(o.ymin + image.height - 1));
  w.U16(72);
  w.U16(72);
  w.Zeros(48);
  w.U8(0);
  w.U8(static_cast<std::uint8_t>(o.planes));
  w.U16(static_cast<std::uint16_t>(bytes_per_line));
  w.U16(1);
  w.Zeros(128 - w.Size());

  for (int y = 0; y < image.height; ++y) {
    for (int plane = 0; plane < o.planes; ++plane) {
      Bytes line(bytes_per_line, 0);
      for (int x = 0; x < image.width; ++x) {
        if (o.bits == 8) line[x] = image.At(x, y);
        else if (image.At(x, y) != 0) line[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
      // Runs of up to 63; a single byte from 0xC0 up is written as a run of one.
      for (std::size_t i = 0; i < line.size();) {
        std::size_t run = 1;
        while (i + run < line.size() && line[i + run] == line[i] && run < 63) ++run;
        if (run > 1 || line[i] >= 0xC0) w.U8(static_cast<std::uint8_t>(0xC0 + run));
        w.U8(line[i]);
        i += run;
      }
    }
  }
  if (o.bits == 8 && o.colour_table) {
    w.U8(0x0C);
    for (int i = 0; i < 256; ++i) {
      Rgb(w, i < static_cast<int>(image.palette.size()) ? image.palette[i] : 0);
    }
  }
  return w.Release();
}

Bytes IconImageBits(const RgbImage& image, std::optional<std::uint32_t> transparent) {
  ByteWriter w;
  BitmapInfoHeader(w, 40, image.width, image.height * 2, 32, 0, 0);
  BitmapRows(w, image.width, image.height, 32, false, [&](Bytes& row, int x, int y) {
    const std::uint32_t c = image.At(x, y);
    const bool clear = transparent && c == *transparent;
    row[x * 4] = clear ? 0 : static_cast<std::uint8_t>(c);
    row[x * 4 + 1] = clear ? 0 : static_cast<std::uint8_t>(c >> 8);
    row[x * 4 + 2] = clear ? 0 : static_cast<std::uint8_t>(c >> 16);
    row[x * 4 + 3] = clear ? 0 : 255;
  });
  BitmapRows(w, image.width, image.height, 1, false, [&](Bytes& row, int x, int y) {
    if (transparent && image.At(x, y) == *transparent) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
  });
  return w.Release();
}

Bytes WriteIconFile(std::uint16_t type, const std::vector<IconEntry>& entries) {
  ByteWriter w;
  w.U16(0);
  w.U16(type);
  w.U16(static_cast<std::uint16_t>(entries.size()));
  std::size_t offset = 6 + 16 * entries.size();
  for (const IconEntry& e : entries) {
    w.U8(e.width);
    w.U8(e.height);
    w.U8(e.colours);
    w.U8(0);
    w.U16(e.planes_or_hot_x);
    w.U16(e.bits_or_hot_y);
    w.U32(static_cast<std::uint32_t>(e.image.size()));
    w.U32(static_cast<std::uint32_t>(offset));
    offset += e.image.size();
  }
  for (const IconEntry& e : entries) w.Raw(e.image.data(), e.image.size());
  return w.Release();
}

}  // namespace quarrow::testing
