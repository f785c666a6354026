// One ray per film sample: pure arithmetic over one FrameSample, no host
// calls, no allocation, nothing shared written (render threads call it at once).
//
// The working vectors travel in lane pairs, one Lanes per component x, y, z:
// `tf` holds the target T (relative to the camera position) in lane 0 and
// the facing W in lane 1, which every step turns alike; `lens` holds the lens
// offset along `right` in lane 0, which only the pan turns, and the offset
// along `up` in lane 1, which only the tilt turns. So the two rotations are
// built side by side and the two lens offsets turn together, each lane by
// its own rotation. Each lane goes through exactly the scalar operations of
// the algorithm, in its order.
#include <cmath>
#include <cstdint>
#include <cstring>

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

// The helpers below are forced inline: the kernels keep their lanes in
// registers only when nothing passes them through memory.

// The lens offsets before any turn: {lensRadius·lensX·right,
// lensRadius·lensY·up}.
[[gnu::always_inline]] inline void lensOffsets(const FrameSample &s, const SampleLanes &L,
                                               double lensX, double lensY, Lanes lens[3]) {
  const Lanes lensScale = Lanes{s.lensRadius, s.lensRadius} * Lanes{lensX, lensY};
  lens[0] = lensScale * L.lensBasis[0];
  lens[1] = lensScale * L.lensBasis[1];
  lens[2] = lensScale * L.lensBasis[2];
}

// Positive film x pans towards `right`; positive film y looks up, so the
// tilt angle is −(Y·angleScaleY). Radians.
double panAngle(const FrameSample &s, double X) {
  return X * s.angleScaleX;
}
double tiltAngle(const FrameSample &s, double Y) {
  return -(Y * s.angleScaleY);
}

// D = T − lensR − lensU, its unit direction and the origin P + lensR + lensU
// into the host's record.
[[gnu::always_inline]] inline int finishRay(const FrameSample &s, const Lanes tf[3],
                                            const Lanes lens[3], CameraRay *ray) {
  // D in lane 0 of each component; lane 1 is not used.
  const Lanes d[3] = {tf[0] - lens[0] - splat<1>(lens[0]), tf[1] - lens[1] - splat<1>(lens[1]),
                      tf[2] - lens[2] - splat<1>(lens[2])};
  const double length = std::sqrt(d[0][0] * d[0][0] + d[1][0] * d[1][0] + d[2][0] * d[2][0]);

  const Lanes lensRXY = {lens[0][0], lens[1][0]};
  const Lanes lensUXY = {lens[0][1], lens[1][1]};
  const Lanes originXY = Lanes{s.position.x, s.position.y} + lensRXY + lensUXY;
  const Lanes facingXY = {tf[0][1], tf[1][1]};
  std::memcpy(&ray->origin[0], &originXY, sizeof originXY);
  ray->origin[2] = s.position.z + lens[2][0] + lens[2][1];
  // A zero-length D (a degenerate focal distance) looks where the film faces.
  if (length == 0.0) {
    std::memcpy(&ray->direction[0], &facingXY, sizeof facingXY);
    ray->direction[2] = tf[2][1];
  } else {
    const Lanes directionXY = Lanes{d[0][0], d[1][0]} / Lanes{length, length};
    std::memcpy(&ray->direction[0], &directionXY, sizeof directionXY);
    ray->direction[2] = d[2][0] / length;
  }
  std::memcpy(&ray->facing[0], &facingXY, sizeof facingXY);
  ray->facing[2] = tf[2][1];
  return 1;
}

// Turns lane `k` of v by lane `k` of R and keeps the other lane as it is.
template <int k>
[[gnu::always_inline]] inline void turnLane(Lanes v[3], const RotationPair &R) {
  Lanes turned[3] = {v[0], v[1], v[2]};
  turn(turned, R.m);
  const auto keep = [](Lanes t, Lanes old) {
    return k == 0 ? Lanes{t[0], old[1]} : Lanes{old[0], t[1]};
  };
  v[0] = keep(turned[0], v[0]);
  v[1] = keep(turned[1], v[1]);
  v[2] = keep(turned[2], v[2]);
}

// Both axes angular. The ordinary panorama tilts first and then pans (poles
// along `up`); the vertical panorama pans first and then tilts (poles along
// `right`). Both rotations are built at once, each in its lane, and the two
// lens offsets turn together.
template <bool verticalPanorama>
int angularRay(const FrameSample &s, const SampleLanes &L, double filmX, double filmY, double lensX,
               double lensY, CameraRay *ray) {
  // The trigonometry first, while little else is live across the calls.
  const SinCos pan = sinCos(panAngle(s, s.shiftX + filmX));
  const SinCos tilt = sinCos(tiltAngle(s, s.shiftY + filmY));
  Lanes tf[3] = {L.targetFacing[0], L.targetFacing[1], L.targetFacing[2]};
  Lanes lens[3];
  lensOffsets(s, L, lensX, lensY, lens);

  const RotationPair R = rotationPair(L.axis, L.axisSq, Lanes{pan.s, tilt.s}, Lanes{pan.c, tilt.c});
  turn(lens, R.m);
  turnBothBy<verticalPanorama ? 0 : 1>(tf, R);
  turnBothBy<verticalPanorama ? 1 : 0>(tf, R);
  return finishRay(s, tf, lens, ray);
}

// T = T + k·d on the plane of focus; W, in lane 1, is left as it is. (Whole
// lane pairs are rebuilt rather than single lanes assigned: an assigned lane
// goes through memory.)
[[gnu::always_inline]] inline void slideTarget(Lanes tf[3], double k, const Vec3 &d) {
  tf[0] = Lanes{tf[0][0] + k * d.x, tf[0][1]};
  tf[1] = Lanes{tf[1][0] + k * d.y, tf[1][1]};
  tf[2] = Lanes{tf[2][0] + k * d.z, tf[2][1]};
}

// One or both axes perspective: `hPerspective` slides T along `right`
// instead of panning, `vPerspective` slides it along `up` instead of
// tilting; the steps keep the panorama's order.
template <bool hPerspective, bool vPerspective, bool verticalPanorama>
int slidingRay(const FrameSample &s, const SampleLanes &L, double filmX, double filmY, double lensX,
               double lensY, CameraRay *ray) {
  const double X = s.shiftX + filmX;
  const double Y = s.shiftY + filmY;
  // The trigonometry first, as in the angular kernel; a perspective axis
  // leaves its lane of the rotation pair unused.
  const SinCos pan = hPerspective ? SinCos{0.0, 1.0} : sinCos(panAngle(s, X));
  const SinCos tilt = vPerspective ? SinCos{0.0, 1.0} : sinCos(tiltAngle(s, Y));
  Lanes tf[3] = {L.targetFacing[0], L.targetFacing[1], L.targetFacing[2]};
  Lanes lens[3];
  lensOffsets(s, L, lensX, lensY, lens);
  RotationPair R;
  if constexpr (!hPerspective || !vPerspective)
    R = rotationPair(L.axis, L.axisSq, Lanes{pan.s, tilt.s}, Lanes{pan.c, tilt.c});
  if constexpr (!hPerspective) turnLane<0>(lens, R);
  if constexpr (!vPerspective) turnLane<1>(lens, R);
  const auto horizontalStep = [&] {
    if constexpr (hPerspective)
      slideTarget(tf, X * s.planeScaleX, s.right);
    else
      turnBothBy<0>(tf, R);
  };
  const auto verticalStep = [&] {
    if constexpr (vPerspective)
      slideTarget(tf, Y * s.planeScaleY, s.up);
    else
      turnBothBy<1>(tf, R);
  };
  if constexpr (verticalPanorama) {
    horizontalStep();
    verticalStep();
  } else {
    verticalStep();
    horizontalStep();
  }
  return finishRay(s, tf, lens, ray);
}

using RayKernel = int (*)(const FrameSample &, const SampleLanes &, double, double, double, double,
                          CameraRay *);

// Indexed by SampleLanes::kernel: hPerspective | vPerspective << 1 |
// verticalPanorama << 2.
constexpr RayKernel kKernels[8] = {
    angularRay<false>,
    slidingRay<true, false, false>,
    slidingRay<false, true, false>,
    slidingRay<true, true, false>,
    angularRay<true>,
    slidingRay<true, false, true>,
    slidingRay<false, true, true>,
    slidingRay<true, true, true>,
};

}  // namespace

int evaluateRay(void *instance, double filmX, double filmY, double lensX, double lensY,
                double fracTime, CameraRay *ray) {
  const auto *camera = static_cast<const CameraInstance *>(instance);
  if (!camera || !camera->samples || !ray) return 0;
  const uint32_t index = sampleIndex(camera->sampleCount, fracTime);
  const SampleLanes &lanes = sampleLanes(camera->samples, camera->sampleCount, index);
  return kKernels[lanes.kernel & 7u](camera->samples[index], lanes, filmX, filmY, lensX, lensY,
                                     ray);
}

}  // namespace skyrind
