// What a written image records about the camera that made it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "panorama/coverage.h"

namespace skyhost {

// A named value of the OpenEXR header; the name says its unit.
struct ImageAttribute {
  std::string name;
  double value = 0;
  bool integer = false;  // written as an int: a switch (0 or 1) or a count
};

struct ImageMetadata {
  std::vector<ImageAttribute> attributes;    // OpenEXR header attributes
  std::optional<PanoramaCoverage> coverage;  // photo-sphere XMP in JPEG and PNG
  std::string whyNoCoverage;                 // set when an equirectangular image still gets none
};

}  // namespace skyhost
