#include "panorama/coverage.h"

#include <climits>
#include <cmath>
#include <cstdio>

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

// A camera-frame vector turned into the world by heading h, pitch p and bank
// b (radians, the host's sense): bank about forward, then pitch about right,
// then heading about up.
Vec3 turned(Vec3 v, double h, double p, double b) {
  v = {v.x * std::cos(b) - v.y * std::sin(b), v.x * std::sin(b) + v.y * std::cos(b), v.z};
  v = {v.x, v.y * std::cos(p) - v.z * std::sin(p), v.y * std::sin(p) + v.z * std::cos(p)};
  return {v.x * std::cos(h) + v.z * std::sin(h), v.y, -v.x * std::sin(h) + v.z * std::cos(h)};
}

// The heading, pitch and bank (degrees) of the camera turned further by
// yawDegrees to the right about its own up axis: the pose of a column that
// far right of the camera's forward.
Vec3 turnedRight(const Vec3 &rotationDegrees, double yawDegrees) {
  double h = radians(rotationDegrees.x), p = radians(rotationDegrees.y),
         b = radians(rotationDegrees.z), yaw = radians(yawDegrees);
  Vec3 forward = turned({std::sin(yaw), 0, std::cos(yaw)}, h, p, b);
  Vec3 right = turned({std::cos(yaw), 0, -std::sin(yaw)}, h, p, b);
  Vec3 up = turned({0, 1, 0}, h, p, b);
  double horizontal = std::hypot(forward.x, forward.z);
  if (horizontal < 1e-12)  // straight up or down: heading 0, the bank takes the whole turn
    return {0, forward.y < 0 ? 90.0 : -90.0, degrees(std::atan2(-forward.y * right.z, right.x))};
  return {degrees(std::atan2(forward.x, forward.z)), degrees(std::atan2(-forward.y, horizontal)),
          degrees(std::atan2(right.y, up.y))};
}

}  // namespace

std::optional<PanoramaCoverage> equirectangularCoverage(const PanelSettings &panel, int width,
                                                        int height, const Vec3 &rotationDegrees,
                                                        double filmAspect, std::string *whyNot) {
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
  double across = 360 / fullWidth, down = 180 / fullHeight;
  if (std::abs(across / down - 1) > kSquarePixelTolerance) {
    if (whyNot) {
      char text[200];
      std::snprintf(text, sizeof text,
                    "its pixels are %.3g degrees across but %.3g down, which the photo-sphere "
                    "fields cannot say (%dx%.0f or %.0fx%d pixels would be square)",
                    across, down, width, std::round(vFov / across), std::round(hFov / down),
                    height);
      *whyNot = text;
    }
    return std::nullopt;
  }

  PanoramaCoverage c;
  c.fullWidth = static_cast<int>(fullWidth);
  c.fullHeight = static_cast<int>(fullHeight);
  c.croppedWidth = width;
  c.croppedHeight = height;
  // The camera's forward lies at the image's film position minus the shift:
  // shifting by a share of the film moves the image by that share of its own
  // size, right and up. Vertically the forward is the full panorama's centre
  // row. Across, the crop sits centred in the full panorama, so it never
  // runs across the seam and viewers that ignore its left offset agree; the
  // pose is that of the full panorama's centre column, the shift to the
  // right of the camera's forward.
  double top = std::round(fullHeight / 2 - height / 2.0 - panel.vShiftPercent / 100 * height);
  if (!std::isfinite(top) || !std::isfinite(panel.hShiftPercent)) return std::nullopt;
  if (width > c.fullWidth || top < 0 || top + height > fullHeight) return std::nullopt;
  c.croppedLeft = (c.fullWidth - width) / 2;
  c.croppedTop = static_cast<int>(top);
  double forwardColumn = width / 2.0 - panel.hShiftPercent / 100 * width;
  double centreColumn = fullWidth / 2 - c.croppedLeft;
  double yaw = std::fmod((centreColumn - forwardColumn) * hFov / width, 360.0);
  setPose(c, yaw == 0 ? rotationDegrees : turnedRight(rotationDegrees, yaw));
  return c;
}

std::optional<PanoramaCoverage> equirectangularCoverage(const PanelSettings &panel, int width,
                                                        int height, double headingDegrees,
                                                        std::string *whyNot) {
  return equirectangularCoverage(panel, width, height, {headingDegrees, 0, 0},
                                 static_cast<double>(height) / width, whyNot);
}

}  // namespace skyhost
