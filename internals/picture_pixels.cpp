#include "internals/picture_pixels.h"

namespace quarrow {

PicturePixels MakeIndexedPicture(PictureKind kind, std::int32_t width, std::int32_t height) {
  PicturePixels p;
  p.kind = kind;
  p.width = width;
  p.height = height;
  const std::size_t image = IndexedStride(width) * static_cast<std::size_t>(height);
  ByteWriter w;
  w.U32(kBitmapInfoHeaderSize);
  w.I32(width);
  w.I32(-height);  // rows top-down
  w.U16(1);        // planes
  w.U16(8);        // bits per pixel
  w.U32(0);        // uncompressed
  w.U32(static_cast<std::uint32_t>(image));
  w.U32(0);
  w.U32(0);
  w.U32(256);  // colours used
  w.U32(0);
  w.Zeros(256 * 4 + image);
  p.pixels = w.Release();
  return p;
}

}  // namespace quarrow
