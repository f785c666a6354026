#include "panorama/coverage.h"

#include <climits>
#include <cmath>

#include "panorama/placement.h"

namespace skyhost {
namespace {

// Degrees into [0, 360).
double wrap360(double degrees) {
  double wrapped = std::fmod(degrees, 360.0);
  return wrapped < 0 ? wrapped + 360 : wrapped;
}

// Degrees into (-180, 180].
double wrap180(double degrees) {
  double wrapped = wrap360(degrees);
  return wrapped > 180 ? wrapped - 360 : wrapped;
}

// The camera's heading, pitch and bank (pitch > 0 looks down, bank > 0 lifts
// the right side) as a photo-sphere pose. A pitch past straight up or down
// is the same turn as heading + 180°, 180° - pitch, bank + 180°.
void setPose(PanoramaCoverage &c, const Vec3 &rotationDegrees) {
  double heading = rotationDegrees.x, pitch = wrap180(rotationDegrees.y), bank = rotationDegrees.z;
  if (std::abs(pitch) > 90) {
    pitch = (pitch > 0 ? 180 : -180) - pitch;
    heading += 180, bank += 180;
  }
  c.headingDegrees = wrap360(heading);
  c.pitchDegrees = -pitch;
  c.rollDegrees = wrap180(-bank);
}

}  // namespace

std::optional<PanoramaCoverage> equirectangularCoverage(const PanelSettings &panel, int width,
                                                        int height, const Vec3 &rotationDegrees,
                                                        double filmAspect) {
  if (panel.hPerspective || panel.vPerspective || panel.verticalPanorama) return std::nullopt;
  if (width <= 0 || height <= 0 || !(filmAspect > 0) || !std::isfinite(filmAspect))
    return std::nullopt;
  const auto [hFov, vFov] = angularFov(panel, filmAspect);

  if (!(hFov > 0 && hFov <= 360 && vFov > 0 && vFov <= 180)) return std::nullopt;
  // Whole pixels, to the nearest; a sliver of the sphere whose full size
  // would not fit an int has no coverage to record.
  double fullWidth = std::round(width * 360.0 / hFov);
  double fullHeight = std::round(height * 180.0 / vFov);
  if (fullWidth > INT_MAX / 2 || fullHeight > INT_MAX / 2) return std::nullopt;

  PanoramaCoverage c;
  c.fullWidth = static_cast<int>(fullWidth);
  c.fullHeight = static_cast<int>(fullHeight);
  c.croppedWidth = width;
  c.croppedHeight = height;
  // The camera's forward lies at the full panorama's centre and at the image's
  // film position minus the shift: shifting by a share of the film moves the
  // image by that share of its own size, right and up.
  double left = std::round(fullWidth / 2 - width / 2.0 + panel.hShiftPercent / 100 * width);
  double top = std::round(fullHeight / 2 - height / 2.0 - panel.vShiftPercent / 100 * height);
  if (!std::isfinite(left) || !std::isfinite(top)) return std::nullopt;
  if (width > c.fullWidth || top < 0 || top + height > fullHeight) return std::nullopt;
  double wrapped = std::fmod(left, fullWidth);
  c.croppedLeft = static_cast<int>(wrapped < 0 ? wrapped + fullWidth : wrapped);
  c.croppedTop = static_cast<int>(top);
  setPose(c, rotationDegrees);
  return c;
}

std::optional<PanoramaCoverage> equirectangularCoverage(const PanelSettings &panel, int width,
                                                        int height, double headingDegrees) {
  return equirectangularCoverage(panel, width, height, {headingDegrees, 0, 0},
                                 static_cast<double>(height) / width);
}

}  // namespace skyhost
