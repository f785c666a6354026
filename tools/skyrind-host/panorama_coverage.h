// Where an equirectangular image lies on the sphere, in the photo-sphere
// (GPano) terms: the whole 360°×180° panorama measured in the image's own
// pixels, and the image as a crop of it.
#pragma once

#include <optional>

#include "options.h"

namespace skyhost {

struct PanoramaCoverage {
  int fullWidth = 0;      // pixels of the whole 360° of longitude
  int fullHeight = 0;     // pixels of the whole 180° of latitude
  int croppedWidth = 0;   // the image's own width, pixels
  int croppedHeight = 0;  // the image's own height, pixels
  int croppedLeft = 0;    // the image's left edge in the full panorama, pixels
  int croppedTop = 0;     // the image's top edge in the full panorama, pixels
  double headingDegrees = 0;  // initial view heading, degrees clockwise from north
};

// The coverage of a width×height image made with these settings, or nothing
// when the image is not an equirectangular panorama (a perspective axis, or
// "Vertical Panorama" on). headingDegrees is the camera's heading.
std::optional<PanoramaCoverage> equirectangularCoverage(const PanelSettings &panel, int width,
                                                        int height, double headingDegrees);

}  // namespace skyhost
