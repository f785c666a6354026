// Where an angular panorama's pixels lie on the sphere, as two angles about
// a pole in the camera's frame: longitude around the pole (0 at the camera's
// forward) and latitude towards it, in degrees. An ordinary panorama has its
// pole up: longitude runs along the image's width (positive to the right),
// latitude along its height (positive up). A vertical panorama pans first,
// then tilts, so its pole is to the right: latitude runs along the width
// (positive to the right), longitude along the height (positive up).
//
// The unit also derives the angular fields of view from the settings, and
// maps image positions to directions and back.
#pragma once

#include <optional>
#include <string>

#include "common/options.h"
#include "common/vec3.h"
#include "panorama/coverage.h"

namespace skyhost {

// The fields of view of angular axes, degrees: an automatic one has the
// other's degrees per film unit (filmAspect = film height / film width).
struct AngularFov {
  double horizontal, vertical;
};
AngularFov angularFov(const PanelSettings &panel, double filmAspect);

struct PanoramaPlacement {
  bool verticalPanorama = false;
  double longitudeStart = -180;  // the image's edge at the lowest longitude, degrees
  double longitudeSpan = 360;    // degrees
  double latitudeStart = -90;    // the image's edge at the lowest latitude, degrees
  double latitudeSpan = 180;     // degrees
};

// The placement of a width×height image made with these settings, the film
// being filmAspect = film height / film width. Throws InputError naming
// source when an axis is a perspective one.
PanoramaPlacement placementOf(const PanelSettings &panel, double filmAspect,
                              const std::string &source);
// The placement photo-sphere metadata records.
PanoramaPlacement placementOf(const PanoramaCoverage &coverage);

// A position on the image as shares of its size: x from the left edge to
// the right, y from the top edge down, each in [0, 1] on the image.
struct ImagePoint {
  double x, y;
};

// The unit direction in the camera's frame (x right, y up, z forward) that
// an image point shows.
Vec3 directionAt(const PanoramaPlacement &placement, const ImagePoint &point);
// The image point that shows a direction (any length, not zero), or nothing
// when the image does not cover it. A field past a pole covers the same
// directions again half a turn round; the first point is the one given.
std::optional<ImagePoint> imagePointOf(const PanoramaPlacement &placement, const Vec3 &direction);

}  // namespace skyhost
