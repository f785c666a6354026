// One ray per film sample: pure arithmetic over one FrameSample, no host
// calls, no allocation, nothing shared written (render threads call it at once).
#include <cmath>
#include <cstdint>

#include "camera/callbacks.h"
#include "camera/instance.h"
#include "camera/rotation.h"

namespace skyrind {
namespace {

// Entry ⌊sampleCount × fracTime⌋. The time is clamped to [0, 1] (NaN reads
// entry 0) so that no input can index outside the table's sampleCount + 1.
uint32_t sampleIndex(uint32_t sampleCount, double fracTime) {
  double t = fracTime;
  if (!(t >= 0.0)) t = 0.0;
  if (t > 1.0) t = 1.0;
  return static_cast<uint32_t>(static_cast<double>(sampleCount) * t);
}

struct RayState {
  Vec3 target;  // T, relative to the camera position
  Vec3 facing;  // W
  Vec3 lensR;   // lens offset along right
  Vec3 lensU;   // lens offset along up
};

inline void addScaled(Vec3 &v, double k, const Vec3 &d) {
  v = {v.x + k * d.x, v.y + k * d.y, v.z + k * d.z};
}

// Pans about `up` by the angle X·angleScaleX (angular) or slides along
// `right` on the plane of focus.
inline void horizontalStep(const FrameSample &s, const SampleAxes &a, double X, SinCos pan,
                           RayState &r) {
  if (s.hPerspective) {
    addScaled(r.target, X * s.planeScaleX, s.right);
    return;
  }
  Matrix4 M;
  rotationAboutUnitAxis(M, a.panAxis, a.panAxisSq, pan);
  transformPoint(M, r.target, r.target);
  transformPoint(M, r.facing, r.facing);
  transformPoint(M, r.lensR, r.lensR);
}

// Tilts about `right` by −(Y·angleScaleY) (angular; positive film y looks
// up) or slides along `up`.
inline void verticalStep(const FrameSample &s, const SampleAxes &a, double Y, SinCos tilt,
                         RayState &r) {
  if (s.vPerspective) {
    addScaled(r.target, Y * s.planeScaleY, s.up);
    return;
  }
  Matrix4 M;
  rotationAboutUnitAxis(M, a.tiltAxis, a.tiltAxisSq, tilt);
  transformPoint(M, r.target, r.target);
  transformPoint(M, r.facing, r.facing);
  transformPoint(M, r.lensU, r.lensU);
}

}  // namespace

int evaluateRay(void *instance, double filmX, double filmY, double lensX, double lensY,
                double fracTime, CameraRay *ray) {
  const auto *camera = static_cast<const CameraInstance *>(instance);
  if (!camera || !camera->samples || !ray) return 0;
  const uint32_t index = sampleIndex(camera->sampleCount, fracTime);
  const FrameSample &s = camera->samples[index];
  const SampleAxes &axes = sampleAxes(camera->samples, camera->sampleCount, index);

  const double X = s.shiftX + filmX;
  const double Y = s.shiftY + filmY;
  // The trigonometry first, while little else is live across the calls.
  const SinCos pan = s.hPerspective ? SinCos{} : sinCos(X * s.angleScaleX);
  const SinCos tilt = s.vPerspective ? SinCos{} : sinCos(-(Y * s.angleScaleY));
  const double rightLens = s.lensRadius * lensX;
  const double upLens = s.lensRadius * lensY;
  RayState r{s.focusForward,
             s.forward,
             {rightLens * s.right.x, rightLens * s.right.y, rightLens * s.right.z},
             {upLens * s.up.x, upLens * s.up.y, upLens * s.up.z}};

  // The ordinary panorama tilts first and then pans (poles along `up`); the
  // vertical panorama pans first and then tilts (poles along `right`).
  if (s.verticalPanorama) {
    horizontalStep(s, axes, X, pan, r);
    verticalStep(s, axes, Y, tilt, r);
  } else {
    verticalStep(s, axes, Y, tilt, r);
    horizontalStep(s, axes, X, pan, r);
  }

  const Vec3 &target = r.target;
  const Vec3 &facing = r.facing;
  const Vec3 D = {target.x - r.lensR.x - r.lensU.x, target.y - r.lensR.y - r.lensU.y,
                  target.z - r.lensR.z - r.lensU.z};
  const double length = std::sqrt(D.x * D.x + D.y * D.y + D.z * D.z);
  // A zero-length D (a degenerate focal distance) looks where the film faces.
  const Vec3 direction = length == 0.0 ? facing : Vec3{D.x / length, D.y / length, D.z / length};

  ray->origin[0] = s.position.x + r.lensR.x + r.lensU.x;
  ray->origin[1] = s.position.y + r.lensR.y + r.lensU.y;
  ray->origin[2] = s.position.z + r.lensR.z + r.lensU.z;
  ray->direction[0] = direction.x;
  ray->direction[1] = direction.y;
  ray->direction[2] = direction.z;
  ray->facing[0] = facing.x;
  ray->facing[1] = facing.y;
  ray->facing[2] = facing.z;
  return 1;
}

}  // namespace skyrind
