// The photo-sphere (GPano) metadata of an existing JPEG or PNG.
#pragma once

#include <optional>
#include <string>

#include "panorama/coverage.h"

namespace skyhost {

// The coverage recorded in the image's XMP, or nothing when it has no GPano
// block. Throws InputError when the file is not a JPEG or PNG it can parse.
std::optional<PanoramaCoverage> readPanoramaCoverage(const std::string &imagePath);

}  // namespace skyhost
