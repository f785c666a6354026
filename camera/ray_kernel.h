// The ray for one film sample: pure arithmetic over one FrameSample, no host
// calls, no allocation, nothing shared written (render threads call it at
// once on one sample table).
//
// Each step reads as the algorithm: the start values, the vertical and
// horizontal steps in the panorama's order, then direction, origin and
// facing. One template instance per switch combination keeps the untaken
// branches out of every ray; each does the scalar operations in their written
// order, so the rays equal the reference (camera/ray_reference.h) bit for bit.
// Inline, so that the host's evaluate callback holds the whole ray.
#pragma once

#include <cmath>

#include "camera/frame_sample.h"
#include "camera/runtime_math.h"

namespace skyrind {

struct Ray {
  Vec3 origin;     // world position: the camera's plus the lens offset
  Vec3 direction;  // unit
  Vec3 facing;     // `forward` carried through the ray's rotations
};

namespace ray_kernel {

// The 3×3 part of the row-major Rodrigues matrix about the unit axis u by an
// angle, applied to row vectors: v·M = v·c + (u × v)·s + u·(u·v)·t. For
// right × up = forward a positive angle about `up` turns `forward` towards
// `right`.
struct Rotation {
  Vec3 row0, row1, row2;
};

[[gnu::always_inline]] inline Rotation rotation(const Vec3 &u, SinCos angle) {
  const double c = angle.c, s = angle.s, t = 1 - c;
  return {{c + t * (u.x * u.x), t * u.x * u.y + s * u.z, t * u.x * u.z - s * u.y},
          {t * u.x * u.y - s * u.z, c + t * (u.y * u.y), t * u.y * u.z + s * u.x},
          {t * u.x * u.z + s * u.y, t * u.y * u.z - s * u.x, c + t * (u.z * u.z)}};
}

// v·M with the matrix's zero translation row added last, which turns a −0
// into +0 exactly as the full 4×4 product does.
[[gnu::always_inline]] inline Vec3 turned(const Vec3 &v, const Rotation &m) {
  return {v.x * m.row0.x + v.y * m.row1.x + v.z * m.row2.x + 0.0,
          v.x * m.row0.y + v.y * m.row1.y + v.z * m.row2.y + 0.0,
          v.x * m.row0.z + v.y * m.row1.z + v.z * m.row2.z + 0.0};
}

// The working values of one ray. T is the target relative to the camera
// position, W the facing; lensR and lensU the lens offsets along `right` and
// `up`; X and Y the film position moved by the image shift; pan and tilt the
// sine and cosine of the angular steps' angles.
struct Working {
  double X, Y;
  SinCos pan, tilt;
  Vec3 lensR, lensU, T, W;
};

// Perspective: slide T along `right` on the plane of focus. Angular: pan T,
// W and lensR about `up`.
template <bool perspective>
[[gnu::always_inline]] inline void horizontalStep(const FrameSample &s, Working &w) {
  if constexpr (perspective) {
    w.T = w.T + (w.X * s.planeScaleX) * s.right;
  } else {
    const Rotation pan = rotation(s.panAxis, w.pan);
    w.T = turned(w.T, pan);
    w.W = turned(w.W, pan);
    w.lensR = turned(w.lensR, pan);
  }
}

// Perspective: slide T along `up`. Angular: tilt T, W and lensU about
// `right`.
template <bool perspective>
[[gnu::always_inline]] inline void verticalStep(const FrameSample &s, Working &w) {
  if constexpr (perspective) {
    w.T = w.T + (w.Y * s.planeScaleY) * s.up;
  } else {
    const Rotation tilt = rotation(s.tiltAxis, w.tilt);
    w.T = turned(w.T, tilt);
    w.W = turned(w.W, tilt);
    w.lensU = turned(w.lensU, tilt);
  }
}

// One switch combination's ray.
template <bool verticalPanorama, bool hPerspective, bool vPerspective>
inline Ray trace(const FrameSample &s, double filmX, double filmY, double lensX, double lensY) {
  Working w;
  w.X = s.shiftX + filmX;
  w.Y = s.shiftY + filmY;
  // The angles' sines and cosines first, while nothing else is live across
  // the runtime's calls: the pan X · angleScaleX about `up`, the tilt
  // −(Y · angleScaleY) about `right`, so that a positive Y looks up.
  if constexpr (!hPerspective) w.pan = sinCos(w.X * s.angleScaleX);
  if constexpr (!vPerspective) w.tilt = sinCos(-(w.Y * s.angleScaleY));
  w.lensR = (s.lensRadius * lensX) * s.right;
  w.lensU = (s.lensRadius * lensY) * s.up;
  w.T = s.focusForward;
  w.W = s.forward;

  // The ordinary panorama tilts first and then pans (poles along `up`); the
  // vertical panorama pans first and then tilts (poles along `right`). Both
  // steps use the sample's own axes, never turned ones.
  if constexpr (verticalPanorama) {
    horizontalStep<hPerspective>(s, w);
    verticalStep<vPerspective>(s, w);
  } else {
    verticalStep<vPerspective>(s, w);
    horizontalStep<hPerspective>(s, w);
  }

  // D = T − lensR − lensU from the lens to the target; a zero-length D (a
  // degenerate focal distance) looks where the film faces.
  const Vec3 D = w.T - w.lensR - w.lensU;
  const double length = std::sqrt(D.x * D.x + D.y * D.y + D.z * D.z);
  Ray ray;
  ray.origin = s.position + w.lensR + w.lensU;
  ray.direction = length == 0.0 ? w.W : Vec3{D.x / length, D.y / length, D.z / length};
  ray.facing = w.W;
  return ray;
}

// The eight switch combinations, each its own kernel.
enum class RayMode : unsigned {
  AngularAngular = 0,
  PerspectiveAngular = 1,  // horizontal perspective
  AngularPerspective = 2,  // vertical perspective
  PerspectivePerspective = 3,
  VerticalAngularAngular = 4,
  VerticalPerspectiveAngular = 5,
  VerticalAngularPerspective = 6,
  VerticalPerspectivePerspective = 7,
};

inline RayMode modeOf(const FrameSample &s) {
  return static_cast<RayMode>((s.hPerspective != 0 ? 1u : 0u) | (s.vPerspective != 0 ? 2u : 0u) |
                              (s.verticalPanorama != 0 ? 4u : 0u));
}

}  // namespace ray_kernel

// The ray through film position (filmX, filmY), film units from the optical
// axis (+x looks right, +y up), from lens position (lensX, lensY) on the
// unit aperture.
[[gnu::always_inline]] inline Ray traceRay(const FrameSample &s, double filmX, double filmY,
                                           double lensX, double lensY) {
  using namespace ray_kernel;
  switch (modeOf(s)) {
    case RayMode::AngularAngular:
      return trace<false, false, false>(s, filmX, filmY, lensX, lensY);
    case RayMode::PerspectiveAngular:
      return trace<false, true, false>(s, filmX, filmY, lensX, lensY);
    case RayMode::AngularPerspective:
      return trace<false, false, true>(s, filmX, filmY, lensX, lensY);
    case RayMode::PerspectivePerspective:
      return trace<false, true, true>(s, filmX, filmY, lensX, lensY);
    case RayMode::VerticalAngularAngular:
      return trace<true, false, false>(s, filmX, filmY, lensX, lensY);
    case RayMode::VerticalPerspectiveAngular:
      return trace<true, true, false>(s, filmX, filmY, lensX, lensY);
    case RayMode::VerticalAngularPerspective:
      return trace<true, false, true>(s, filmX, filmY, lensX, lensY);
    case RayMode::VerticalPerspectivePerspective:
      return trace<true, true, true>(s, filmX, filmY, lensX, lensY);
  }
  return trace<false, false, false>(s, filmX, filmY, lensX, lensY);
}

}  // namespace skyrind
