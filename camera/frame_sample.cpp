#include "camera/frame_sample.h"

#include <cmath>

#include "camera/fov.h"

namespace skyrind {
namespace {

// |v| = √(x² + y² + z²).
double length(const Vec3 &v) {
  return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// v / |v|, each component divided by the one length.
Vec3 unit(const Vec3 &v) {
  const double l = length(v);
  return {v.x / l, v.y / l, v.z / l};
}

Vec3 squares(const Vec3 &v) {
  return {v.x * v.x, v.y * v.y, v.z * v.z};
}

bool finite(const Vec3 &v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

FrameSample deriveSample(const CameraSettings &settings, const CameraPose &pose, const Lens &lens,
                         const FilmSize &film) {
  const double d = lens.focalDistance;
  FrameSample s;
  s.shiftX = film.width * settings.hShift;
  s.shiftY = settings.vShift * film.height;
  // (Hf / f) · 0.5: the aperture's radius for f-stop f on a film Hf high.
  s.lensRadius = (film.height / lens.fStop) * 0.5;

  // Heff, Veff: the fields of view this film covers; W, Hf its size.
  const FieldOfView fov = resolveFieldOfView(settings, film);
  // tan(Heff · 0.5) · (2 / W) · d: along `right` on the plane of focus.
  s.planeScaleX = std::tan(fov.horizontal * 0.5) * (2 / film.width) * d;
  s.planeScaleY = std::tan(fov.vertical * 0.5) * (2 / film.height) * d;
  // Heff / W: radians per film unit.
  s.angleScaleX = fov.horizontal / film.width;
  s.angleScaleY = fov.vertical / film.height;

  s.verticalPanorama = settings.switches.verticalPanorama;
  s.hPerspective = settings.switches.hPerspective;
  s.vPerspective = settings.switches.vPerspective;
  s.rayMode = (s.hPerspective != 0 ? 1u : 0u) | (s.vPerspective != 0 ? 2u : 0u) |
              (s.verticalPanorama != 0 ? 4u : 0u);

  s.right = unit(pose.right);
  s.up = unit(pose.up);
  // (F / |F|) · d: each component divided by |F|, then multiplied by d.
  s.forward = unit(pose.forward);
  s.focusForward = {s.forward.x * d, s.forward.y * d, s.forward.z * d};
  s.position = pose.position;
  s.panAxis = unit(s.up);
  s.tiltAxis = unit(s.right);
  s.panSquares = squares(s.panAxis);
  s.tiltSquares = squares(s.tiltAxis);
  s.finiteAxes = finite(s.right) && finite(s.up) && finite(s.panAxis) && finite(s.tiltAxis);
  // The lens offsets at the centre after the steps: a +0 product times a
  // perspective axis, +0 once turned.
  const Vec3 zero{0.0, 0.0, 0.0};
  const Vec3 lensR = s.hPerspective != 0 ? 0.0 * s.right : zero;
  const Vec3 lensU = s.vPerspective != 0 ? 0.0 * s.up : zero;
  s.centreFocusForward = s.focusForward + (Vec3{-0.0, -0.0, -0.0} - lensR - lensU);
  s.centreOrigin = s.position + (lensR + lensU);
  return s;
}

}  // namespace skyrind
