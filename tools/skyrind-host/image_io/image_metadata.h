// What a written image records about the camera that made it.
#pragma once

#include <optional>

#include "common/options.h"
#include "panorama/coverage.h"

namespace skyhost {

// The camera's settings at the frame, in the panel's units (degrees, percent).
struct CameraRecord {
  PanelSettings panel;
  double filmWidth = 0, filmHeight = 0;  // film units
  int frame = 0;
};

struct ImageMetadata {
  std::optional<CameraRecord> camera;        // OpenEXR header attributes
  std::optional<PanoramaCoverage> coverage;  // photo-sphere XMP in JPEG and PNG
};

}  // namespace skyhost
