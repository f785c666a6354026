// JPEG encoding: 8-bit sRGB, baseline, 4:2:0 chroma.
#pragma once

#include <string>

#include "common/image.h"

namespace skyhost {

// The file's bytes at a quality of 1 to 100. Throws std::runtime_error when
// libjpeg fails.
std::string encodeJpeg(const Image &image, int quality);
// The same from 8-bit sRGB samples, width·height RGB triples, row 0 at the top.
std::string encodeJpegSrgb8(const unsigned char *rgb, int width, int height, int quality);

}  // namespace skyhost
