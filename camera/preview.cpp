#include "camera/preview.h"

#include <cmath>

#include "camera/fov.h"

namespace skyrind {
namespace {

// The depth range of the projection, scene units from the eye.
constexpr double kNear = 1;
constexpr double kFar = 65000;
// −(far + near) / (far − near) and −2 · far · near / (far − near).
constexpr double kDepthScale = -(kFar + kNear) / (kFar - kNear);
constexpr double kDepthOffset = -2 * kFar * kNear / (kFar - kNear);

// Half-extent of one axis on the projection plane per film unit: the tangent
// for perspective axes and angular ones under a right angle, else linear in
// the angle.
double halfExtent(double angle, double filmSize, bool perspective, double pi) {
  if (angle < pi / 2 || perspective) return 2 * std::tan(angle / 2) / filmSize;
  return 2 * (angle / pi) * 2 / filmSize;
}

}  // namespace

Projection previewProjection(const CameraSettings &settings, const Lens &lens, const FilmSize &film,
                             double pi, double lensX, double lensY) {
  const FieldOfView fov = resolveFieldOfView(settings, film);
  const double ex = halfExtent(fov.horizontal, film.width, settings.switches.hPerspective != 0, pi);
  const double ey = halfExtent(fov.vertical, film.height, settings.switches.vPerspective != 0, pi);
  // (Hf / f · 0.5) / ey: the lens radius on the projection plane.
  const double k = (film.height / lens.fStop * 0.5) / ey;
  const double d = lens.focalDistance;

  Projection p{};
  p[0] = 2 / (ex - (-ex));
  p[5] = 2 / (ey - (-ey));
  p[8] = (ex + (-ex)) / (ex - (-ex)) + settings.hShift * film.width + k * lensX / d;
  p[9] = (ey + (-ey)) / (ey - (-ey)) + settings.vShift * film.height + k * lensY / d;
  p[10] = kDepthScale;
  p[11] = -1;
  p[12] = k * lensX;
  p[13] = k * lensY;
  p[14] = kDepthOffset;
  return p;
}

}  // namespace skyrind
