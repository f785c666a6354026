#include "image_io/jpeg_writer.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "image_io/srgb.h"

namespace skyhost {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;  // first, so libjpeg's pointer is also ours
  std::jmp_buf jump;
};

[[noreturn]] void jumpBack(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->jump, 1);
}

// libjpeg's part, apart: its errors jump back here, past no C++ object.
// On success *buffer holds *size bytes from malloc.
bool compressRows(JSAMPLE *pixels, int width, int height, int quality, unsigned char **buffer,
                  unsigned long *size) {
  jpeg_compress_struct jpeg{};
  ErrorManager errors{};
  jpeg.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = jumpBack;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&jpeg);
    return false;
  }
  jpeg_create_compress(&jpeg);
  jpeg_mem_dest(&jpeg, buffer, size);
  jpeg.image_width = static_cast<JDIMENSION>(width);
  jpeg.image_height = static_cast<JDIMENSION>(height);
  jpeg.input_components = 3;
  jpeg.in_color_space = JCS_RGB;
  jpeg_set_defaults(&jpeg);
  jpeg_set_quality(&jpeg, quality, TRUE);
  jpeg_start_compress(&jpeg, TRUE);
  const std::size_t rowSize = 3 * static_cast<std::size_t>(width);
  while (jpeg.next_scanline < jpeg.image_height) {
    JSAMPROW row = pixels + jpeg.next_scanline * rowSize;
    jpeg_write_scanlines(&jpeg, &row, 1);
  }
  jpeg_finish_compress(&jpeg);
  jpeg_destroy_compress(&jpeg);
  return true;
}

}  // namespace

std::string encodeJpeg(const Image &image, int quality) {
  std::vector<JSAMPLE> pixels(image.rgb.size());
  for (std::size_t i = 0; i < image.rgb.size(); ++i) pixels[i] = toSrgb8(image.rgb[i]);
  return encodeJpegSrgb8(pixels.data(), image.width, image.height, quality);
}

std::string encodeJpegSrgb8(const unsigned char *rgb, int width, int height, int quality) {
  // libjpeg reads the rows without writing them.
  auto *pixels = const_cast<JSAMPLE *>(rgb);
  unsigned char *buffer = nullptr;
  unsigned long size = 0;
  bool ok = compressRows(pixels, width, height, quality, &buffer, &size);
  std::string out;
  if (ok) out.assign(reinterpret_cast<char *>(buffer), size);
  std::free(buffer);
  if (!ok) throw std::runtime_error("libjpeg could not encode the image");
  return out;
}

}  // namespace skyhost
