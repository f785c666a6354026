// Where an equirectangular image lies on the sphere, in the photo-sphere
// (GPano) terms: the whole 360°×180° panorama measured in the image's own
// pixels, and the image as a crop of it. The full panorama's centre column
// is the camera's forward direction; its centre row is the camera's horizon.
#pragma once

#include <optional>

#include "common/options.h"

namespace skyhost {

struct PanoramaCoverage {
  int fullWidth = 0;      // pixels of the whole 360° of longitude
  int fullHeight = 0;     // pixels of the whole 180° of latitude
  int croppedWidth = 0;   // the image's own width, pixels
  int croppedHeight = 0;  // the image's own height, pixels
  int croppedLeft = 0;    // the image's left edge in the full panorama, pixels, in
                          // [0, fullWidth); a crop may run on across the seam
  int croppedTop = 0;     // the image's top edge in the full panorama, pixels
  // Initial view heading, degrees clockwise from north (world +z) in [0, 360):
  // the camera's heading, so the heading of the full panorama's centre column.
  double headingDegrees = 0;
  double pitchDegrees = 0;  // the camera's forward above the horizon, degrees
  double rollDegrees = 0;   // the horizon turned anticlockwise in the image, degrees
};

// The coverage of a width×height image made with these settings, or nothing
// when the image is not an equirectangular panorama (a perspective axis,
// "Vertical Panorama" on, or more than the whole sphere: over 360° across or
// past a pole). headingDegrees is the camera's heading. An automatic field of
// view follows from the image's aspect.
std::optional<PanoramaCoverage> equirectangularCoverage(const PanelSettings &panel, int width,
                                                        int height, double headingDegrees);
// The same for a camera turned by heading, pitch and bank (degrees, the
// host's sense) on a film of filmAspect = film height / film width.
std::optional<PanoramaCoverage> equirectangularCoverage(const PanelSettings &panel, int width,
                                                        int height, const Vec3 &rotationDegrees,
                                                        double filmAspect);

}  // namespace skyhost
