#include "panorama/placement.h"

#include "common/input_error.h"

namespace skyhost {

PanoramaPlacement placementOf(const PanelSettings &panel, double filmAspect,
                              const std::string &source) {
  if (panel.hPerspective || panel.vPerspective)
    throw InputError(source, "a perspective axis is no panorama to look around in");
  const auto [hFov, vFov] = angularFov(panel, filmAspect);
  // The forward ray sits at the film's centre minus the shift, which is a
  // share of the film and so the same share of the field.
  double across = -hFov / 2 + panel.hShiftPercent / 100 * hFov;
  double down = -vFov / 2 + panel.vShiftPercent / 100 * vFov;
  if (panel.verticalPanorama) return {true, down, vFov, across, hFov};
  return {false, across, hFov, down, vFov};
}

PanoramaPlacement placementOf(const PanoramaCoverage &c) {
  PanoramaPlacement p;
  p.longitudeStart = 360.0 * c.croppedLeft / c.fullWidth - 180;
  p.longitudeSpan = 360.0 * c.croppedWidth / c.fullWidth;
  p.latitudeSpan = 180.0 * c.croppedHeight / c.fullHeight;
  p.latitudeStart = 90 - 180.0 * c.croppedTop / c.fullHeight - p.latitudeSpan;
  return p;
}

}  // namespace skyhost
