// Where an angular panorama's pixels lie on the sphere, as two angles about
// a pole in the camera's frame: longitude around the pole (0 at the camera's
// forward) and latitude towards it, in degrees. An ordinary panorama has its
// pole up: longitude runs along the image's width (positive to the right),
// latitude along its height (positive up). A vertical panorama pans first,
// then tilts, so its pole is to the right: latitude runs along the width
// (positive to the right), longitude along the height (positive up).
#pragma once

#include "common/options.h"
#include "panorama/coverage.h"

namespace skyhost {

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

}  // namespace skyhost
