// Where an equirectangular image lies on the sphere, in the photo-sphere
// (GPano) terms: the whole 360°×180° panorama measured in the image's own
// pixels, and the image as a crop of it. The full panorama's centre column
// is the camera's forward direction; its centre row is the camera's horizon.
#pragma once

#include <optional>
#include <string>

#include "common/options.h"
#include "common/vec3.h"

namespace skyhost {

struct PanoramaCoverage {
  int fullWidth = 0;      // pixels of the whole 360° of longitude
  int fullHeight = 0;     // pixels of the whole 180° of latitude
  int croppedWidth = 0;   // the image's own width, pixels
  int croppedHeight = 0;  // the image's own height, pixels
  int croppedLeft = 0;    // the image's left edge in the full panorama, pixels; a crop
                          // lies inside it (a file may still record one across the seam)
  int croppedTop = 0;     // the image's top edge in the full panorama, pixels
  // The pose of the full panorama's centre column, which the crop's centre
  // column shares (viewers that ignore the crop's left offset centre it):
  // heading in degrees clockwise from north (world +z) in [0, 360), pitch
  // above the horizon and roll of the horizon anticlockwise in the image.
  // Unshifted, these are the camera's own heading, pitch and bank.
  double headingDegrees = 0;
  double pitchDegrees = 0;
  double rollDegrees = 0;
};

// The coverage of a width×height image made with these settings, or nothing
// when the image is not an equirectangular panorama (a perspective axis,
// "Vertical Panorama" on, or more than the whole sphere: over 360° across or
// past a pole), or when its pixels are not square in angle: the degrees per
// pixel across and down, on the rounded full sizes, differ by more than
// kSquarePixelTolerance; the photo-sphere fields cannot say that, and then
// whyNot (when given) gets the one-line reason. headingDegrees is the
// camera's heading. An automatic field of view follows from the image's aspect.
std::optional<PanoramaCoverage> equirectangularCoverage(const PanelSettings &panel, int width,
                                                        int height, double headingDegrees,
                                                        std::string *whyNot = nullptr);
// The same for a camera turned by heading, pitch and bank (degrees, the
// host's sense) on a film of filmAspect = film height / film width.
std::optional<PanoramaCoverage> equirectangularCoverage(const PanelSettings &panel, int width,
                                                        int height, const Vec3 &rotationDegrees,
                                                        double filmAspect,
                                                        std::string *whyNot = nullptr);

// Degrees per pixel across over degrees per pixel down may differ from 1 by this.
constexpr double kSquarePixelTolerance = 0.005;

}  // namespace skyhost
