#include "internals/picture_decoder.h"

#include <span>

#include "internals/bmp_decoder.h"
#include "internals/gif_decoder.h"
#include "internals/jpeg_decoder.h"
#include "internals/pcx_decoder.h"
#include "internals/png_decoder.h"

namespace quarrow {

std::optional<DecodedPicture> DecodePictureData(const void* bytes, std::ptrdiff_t length) {
  if (bytes == nullptr || length < 8) return std::nullopt;
  const std::span<const std::uint8_t> file(static_cast<const std::uint8_t*>(bytes),
                                           static_cast<std::size_t>(length));
  std::optional<PicturePixels> pixels;
  DecodedPicture decoded;
  switch (DetectPictureKind(bytes, 8)) {
    case PictureKind::kJpeg: pixels = DecodeJpeg(file); break;
    case PictureKind::kBmp: pixels = DecodeBmp(file); break;
    case PictureKind::kGif: pixels = DecodeGif(file); break;
    case PictureKind::kPcx8:
    case PictureKind::kPcx1: pixels = DecodePcx(file); break;
    case PictureKind::kPng: pixels = DecodePng(file); break;
    case PictureKind::kIcon:
    case PictureKind::kCursor: {
      const auto icon = ChooseIconImage(file);
      if (!icon) return std::nullopt;
      decoded.icon = *icon;
      pixels.emplace();
      pixels->kind = icon->kind;
      pixels->width = icon->width;
      pixels->height = icon->height;
      break;
    }
    case PictureKind::kNone: break;
  }
  if (!pixels) return std::nullopt;
  decoded.picture = std::move(*pixels);
  return decoded;
}

}  // namespace quarrow
