#include "tests/support/library_picture_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <png.h>

namespace quarrow::testing {

Bytes WriteJpeg(int width, int height, JpegSpace stored, const std::vector<std::uint8_t>& samples) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  switch (stored) {
    case JpegSpace::kGrey: info.input_components = 1; info.in_color_space = JCS_GRAYSCALE; break;
    case JpegSpace::kRgb: info.input_components = 3; info.in_color_space = JCS_RGB; break;
    case JpegSpace::kCmyk:
    case JpegSpace::kYcck: info.input_components = 4; info.in_color_space = JCS_CMYK; break;
  }
  jpeg_set_defaults(&info);
  if (stored == JpegSpace::kYcck) jpeg_set_colorspace(&info, JCS_YCCK);
  for (int c = 0; c < info.num_components; ++c) {
    info.comp_info[c].h_samp_factor = 1;  // no subsampling: colours stay where they are
    info.comp_info[c].v_samp_factor = 1;
  }
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  const int components = info.input_components;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(samples.data() + static_cast<std::size_t>(info.next_scanline) * width *
                                                             components);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes file(buffer, buffer + size);
  std::free(buffer);
  return file;
}

Bytes WritePng(int width, int height, PngFormat format, const std::vector<std::uint8_t>& samples) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = format == PngFormat::kGrey ? PNG_FORMAT_GRAY : format == PngFormat::kRgb ? PNG_FORMAT_RGB
                                                                                           : PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, samples.data(), 0, nullptr)) return {};
  Bytes file(size);
  if (!png_image_write_to_memory(&image, file.data(), &size, 0, samples.data(), 0, nullptr)) return {};
  file.resize(size);
  return file;
}

}  // namespace quarrow::testing
