// Writing pictures: 8-bit sRGB PNG or Radiance .hdr, chosen by extension.
#pragma once

#include <string>

#include "image.h"

namespace skyhost {

// Throws InputError unless the path ends in .png or .hdr and its folder exists.
void checkImagePath(const std::string &path);
// Writes through a temporary file, so a failure leaves nothing behind.
void writeImage(const Image &image, const std::string &path);

}  // namespace skyhost
