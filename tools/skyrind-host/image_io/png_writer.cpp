#include "image_io/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "image_io/srgb.h"

namespace skyhost {
namespace {

void appendToString(png_structp png, png_bytep data, png_size_t size) {
  static_cast<std::string *>(png_get_io_ptr(png))->append(reinterpret_cast<char *>(data), size);
}

void noFlush(png_structp) {}

// libpng's part, apart: its errors jump back here, past no C++ object.
bool writeRows(png_bytep *rows, int width, int height, int bitDepth, bool alpha, std::string *out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, out, appendToString, noFlush);
  png_set_IHDR(png, info, width, height, bitDepth,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
  png_set_rows(png, info, rows);
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::string encodePng(const Image &image, int bitDepth) {
  // Rows of big-endian samples: RGB, or RGBA with straight (not
  // premultiplied) colour when the image has an alpha.
  const bool hasAlpha = !image.alpha.empty();
  const std::size_t channels = hasAlpha ? 4 : 3;
  const std::size_t bytesPerSample = bitDepth == 16 ? 2 : 1;
  const std::size_t rowSize = channels * bytesPerSample * static_cast<std::size_t>(image.width);
  const std::size_t pixelCount = static_cast<std::size_t>(image.width) * image.height;
  std::vector<png_byte> pixels(rowSize * image.height);
  const auto put = [&](std::size_t sample, float linear, bool isAlpha) {
    if (bitDepth == 16) {
      const std::uint16_t v =
          isAlpha ? static_cast<std::uint16_t>(linear * 65535.0f + 0.5f) : toSrgb16(linear);
      pixels[2 * sample] = static_cast<png_byte>(v >> 8);
      pixels[2 * sample + 1] = static_cast<png_byte>(v & 0xFF);
    } else {
      pixels[sample] = isAlpha ? static_cast<png_byte>(linear * 255.0f + 0.5f) : toSrgb8(linear);
    }
  };
  for (std::size_t p = 0; p < pixelCount; ++p) {
    const float a = hasAlpha ? image.alpha[p] : 1.0f;
    for (std::size_t c = 0; c < 3; ++c)
      put(channels * p + c, a > 0 ? image.rgb[3 * p + c] / a : 0.0f, false);
    if (hasAlpha) put(channels * p + 3, a, true);
  }
  std::vector<png_bytep> rows(image.height);
  for (int y = 0; y < image.height; ++y) rows[y] = &pixels[y * rowSize];
  std::string out;
  if (!writeRows(rows.data(), image.width, image.height, bitDepth, hasAlpha, &out))
    throw std::runtime_error("libpng could not encode the image");
  return out;
}

}  // namespace skyhost
