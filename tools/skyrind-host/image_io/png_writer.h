// PNG encoding: sRGB, 8 or 16 bits a channel.
#pragma once

#include <string>

#include "common/image.h"

namespace skyhost {

// The file's bytes; bitDepth is 8 or 16. Throws std::runtime_error when
// libpng fails.
std::string encodePng(const Image &image, int bitDepth);

}  // namespace skyhost
