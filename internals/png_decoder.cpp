#include "internals/png_decoder.h"

#include <png.h>

#include <cstring>

namespace quarrow {

std::optional<PicturePixels> DecodePng(std::span<const std::uint8_t> file) {
  if (file.size() < 8) return std::nullopt;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  std::optional<PicturePixels> result;
  if (png_image_begin_read_from_memory(&image, file.data(), file.size()) != 0) {
    image.format = PNG_FORMAT_BGRA;
    if (PictureSizeAllowed(image.width, image.height)) {
      PicturePixels p;
      p.kind = PictureKind::kPng;
      p.width = static_cast<std::int32_t>(image.width);
      p.height = static_cast<std::int32_t>(image.height);
      p.pixels.resize(PNG_IMAGE_SIZE(image));
      if (png_image_finish_read(&image, nullptr, p.pixels.data(), 0, nullptr) != 0) result = std::move(p);
    }
  }
  png_image_free(&image);
  return result;
}

}  // namespace quarrow
