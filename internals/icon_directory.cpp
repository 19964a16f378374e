#include "internals/icon_directory.h"

#include <cstring>

#include "internals/picture_pixels.h"

namespace quarrow {

namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

struct Entry {
  std::uint8_t width, height, colours;
  std::uint16_t planes_or_hot_x, bits_or_hot_y;
  std::uint32_t size, offset;
};

Entry ReadEntry(ByteReader& r) {
  Entry e{};
  e.width = r.U8();
  e.height = r.U8();
  e.colours = r.U8();
  r.Skip(1);
  e.planes_or_hot_x = r.U16();
  e.bits_or_hot_y = r.U16();
  e.size = r.U32();
  e.offset = r.U32();
  return e;
}

// The entry's image bytes, when the file holds all of them.
std::optional<std::span<const std::uint8_t>> ImageOf(const Entry& e, std::span<const std::uint8_t> file) {
  if (e.offset > file.size() || e.size > file.size() - e.offset) return std::nullopt;
  return file.subspan(e.offset, e.size);
}

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

}  // namespace

std::optional<IconImage> ChooseIconImage(std::span<const std::uint8_t> file) {
  ByteReader r(file);
  const std::uint16_t reserved = r.U16();
  const std::uint16_t type = r.U16();
  const std::uint16_t count = r.U16();
  if (r.Failed() || reserved != 0 || (type != 1 && type != 2) || count == 0) return std::nullopt;

  Entry chosen{};
  for (unsigned i = 0; i < count; ++i) {
    chosen = ReadEntry(r);
    if (r.Failed()) return std::nullopt;
    if (chosen.width == 32 && chosen.colours > 15) break;
  }
  const auto image = ImageOf(chosen, file);
  if (!image) return std::nullopt;

  IconImage icon;
  icon.kind = type == 1 ? PictureKind::kIcon : PictureKind::kCursor;
  icon.image = *image;
  if (image->size() >= 24 && std::memcmp(image->data(), kPngSignature, 8) == 0) {
    // The header chunk comes first: its width and height, big-endian, at bytes 16 and 20.
    icon.png = true;
    icon.width = static_cast<std::int32_t>(BigEndian32(image->data() + 16));
    icon.height = static_cast<std::int32_t>(BigEndian32(image->data() + 20));
    icon.bits_per_pixel = 32;
  } else {
    ByteReader h(*image);
    const std::uint32_t header_size = h.U32();
    icon.width = h.I32();
    icon.height = h.I32() / 2;
    h.Skip(2);
    icon.bits_per_pixel = h.U16();
    if (h.Failed() || header_size < kBitmapInfoHeaderSize) return std::nullopt;
  }
  if (!PictureSizeAllowed(icon.width, icon.height)) return std::nullopt;
  return icon;
}

std::optional<CursorResource> CursorResourceFromCur(std::span<const std::uint8_t> file) {
  if (file.size() <= kDirectoryHeaderSize + kEntrySize) return std::nullopt;
  ByteReader r(file);
  const std::uint16_t reserved = r.U16();
  const std::uint16_t type = r.U16();
  const std::uint16_t count = r.U16();
  if (reserved != 0 || type != 2 || count == 0) return std::nullopt;
  const Entry e = ReadEntry(r);
  // The image must lie inside the file as a whole, not merely start there.
  const auto image = ImageOf(e, file);
  if (r.Failed() || !image || e.size > file.size() - kDirectoryHeaderSize - kEntrySize) return std::nullopt;

  CursorResource cursor;
  cursor.width = e.width;
  cursor.height = e.height;
  ByteWriter w;
  w.U16(e.planes_or_hot_x);
  w.U16(e.bits_or_hot_y);
  w.Raw(*image);
  cursor.block = w.Release();
  return cursor;
}

}  // namespace quarrow
