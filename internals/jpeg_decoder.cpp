#include "internals/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jerror.h>
#include <jpeglib.h>

namespace quarrow {

namespace {

// Everything the library touches, kept free of destructors: its errors jump back with longjmp.
struct Job {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  jpeg_source_mgr source;
  std::jmp_buf back;
  JOCTET end_of_image[2];
};

[[noreturn]] void JumpBack(j_common_ptr info) {
  std::longjmp(reinterpret_cast<Job*>(info->client_data)->back, 1);
}
void Quiet(j_common_ptr) {}

void InitSource(j_decompress_ptr) {}
// The whole file is in the buffer from the start: asking for more means it was cut short, which is an error
// rather than an image with grey rows at the bottom.
boolean FillInput(j_decompress_ptr info) {
  ERREXIT(info, JERR_INPUT_EOF);
  return FALSE;
}
void SkipInput(j_decompress_ptr info, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* src = info->src;
  if (static_cast<unsigned long>(count) > src->bytes_in_buffer) ERREXIT(info, JERR_INPUT_EOF);
  src->next_input_byte += count;
  src->bytes_in_buffer -= static_cast<std::size_t>(count);
}
void TermSource(j_decompress_ptr) {}

// Phase one: the header, and the output's colour space. False on any library error.
bool ReadHeader(Job* job) {
  if (setjmp(job->back)) return false;
  jpeg_read_header(&job->info, TRUE);
  // Four components come out as CMYK (the library turns YCCK into CMYK); the rest as RGB or grey.
  if (job->info.num_components == 4) job->info.out_color_space = JCS_CMYK;
  else if (job->info.jpeg_color_space != JCS_GRAYSCALE) job->info.out_color_space = JCS_RGB;
  return true;
}

// Phase two: the rows, into the picture's layout (blue, green, red; bottom-up).
bool ReadRows(Job* job, std::uint8_t* pixels, std::size_t width, std::size_t height, JSAMPLE* line) {
  if (setjmp(job->back)) return false;
  jpeg_decompress_struct& info = job->info;
  const int components = info.output_components;
  // Adobe's CMYK files store the inks inverted, which is what nearly every CMYK file is.
  const bool inverted = info.saw_Adobe_marker;
  while (info.output_scanline < info.output_height) {
    const std::size_t y = info.output_scanline;
    JSAMPROW row = line;
    if (jpeg_read_scanlines(&info, &row, 1) != 1) return false;
    std::uint8_t* out = pixels + (height - 1 - y) * width * 3;
    for (std::size_t x = 0; x < width; ++x, out += 3) {
      const JSAMPLE* in = line + x * components;
      if (components == 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
      } else if (components == 1) {
        out[0] = out[1] = out[2] = in[0];
      } else {
        const unsigned k = inverted ? in[3] : 255u - in[3];
        for (int c = 0; c < 3; ++c) {
          const unsigned ink = inverted ? in[2 - c] : 255u - in[2 - c];
          out[c] = static_cast<std::uint8_t>((ink * k + 127) / 255);
        }
      }
    }
  }
  jpeg_finish_decompress(&info);
  return true;
}

bool StartDecompress(Job* job) {
  if (setjmp(job->back)) return false;
  jpeg_start_decompress(&job->info);
  return true;
}

}  // namespace

std::optional<PicturePixels> DecodeJpeg(std::span<const std::uint8_t> file) {
  if (file.empty()) return std::nullopt;
  auto job = std::make_unique<Job>();
  job->info.err = jpeg_std_error(&job->errors);
  job->errors.error_exit = JumpBack;
  job->errors.output_message = Quiet;
  job->info.client_data = job.get();
  if (setjmp(job->back)) return std::nullopt;  // creation itself can fail (out of memory)
  jpeg_create_decompress(&job->info);

  job->source.init_source = InitSource;
  job->source.fill_input_buffer = FillInput;
  job->source.skip_input_data = SkipInput;
  job->source.resync_to_restart = jpeg_resync_to_restart;
  job->source.term_source = TermSource;
  job->source.next_input_byte = file.data();
  job->source.bytes_in_buffer = file.size();
  job->info.src = &job->source;

  std::optional<PicturePixels> result;
  if (ReadHeader(job.get()) && PictureSizeAllowed(job->info.image_width, job->info.image_height) &&
      StartDecompress(job.get())) {
    PicturePixels p;
    p.kind = PictureKind::kJpeg;
    p.width = static_cast<std::int32_t>(job->info.output_width);
    p.height = static_cast<std::int32_t>(job->info.output_height);
    if (PictureSizeAllowed(p.width, p.height)) {
      p.pixels.resize(static_cast<std::size_t>(p.width) * p.height * 3);
      Bytes line(static_cast<std::size_t>(p.width) * job->info.output_components);
      if (ReadRows(job.get(), p.pixels.data(), p.width, p.height, line.data())) result = std::move(p);
    }
  }
  jpeg_destroy_decompress(&job->info);
  return result;
}

}  // namespace quarrow
