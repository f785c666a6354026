// OpenEXR output: linear RGB, half or 32-bit float, with the camera's
// settings as header attributes.
#pragma once

#include <optional>
#include <string>

#include "common/image.h"
#include "image_io/image_metadata.h"

namespace skyhost {

// Writes the file at path; throws std::exception when OpenEXR fails.
void writeExr(const Image &image, const std::string &path, bool fullFloat,
              const std::optional<CameraRecord> &camera);

}  // namespace skyhost
