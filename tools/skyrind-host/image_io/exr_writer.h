// OpenEXR output: linear RGB, half or 32-bit float, with header attributes
// (the camera's settings).
#pragma once

#include <string>
#include <vector>

#include "common/image.h"
#include "image_io/image_metadata.h"

namespace skyhost {

// Writes the file at path; throws std::exception when OpenEXR fails.
void writeExr(const Image &image, const std::string &path, bool fullFloat,
              const std::vector<ImageAttribute> &attributes);

}  // namespace skyhost
