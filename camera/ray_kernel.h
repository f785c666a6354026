// The ray for one film sample: pure arithmetic over one FrameSample, no host
// calls, no allocation, nothing shared written (render threads call it at
// once on one sample table).
//
// Each step reads as the algorithm: the start values, the vertical and
// horizontal steps in the panorama's order, then direction, origin and
// facing. One template instance per switch combination keeps the untaken
// branches out of every ray; each does the scalar operations in their written
// order, so the rays equal the reference (camera/ray_reference.h) bit for bit.
// Each combination has a lens-at-centre instance too (`centre`, below).
// Inline, so that each function that calls it holds the whole ray.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

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
// `right`. uu holds the sample's (ux·ux, uy·uy, uz·uz).
struct Rotation {
  Vec3 row0, row1, row2;
};

[[gnu::always_inline]] inline Rotation rotation(const Vec3 &u, const Vec3 &uu, SinCos angle) {
  const double c = angle.c, s = angle.s, t = 1 - c;
  return {{c + t * uu.x, t * u.x * u.y + s * u.z, t * u.x * u.z - s * u.y},
          {t * u.x * u.y - s * u.z, c + t * uu.y, t * u.y * u.z + s * u.x},
          {t * u.x * u.z + s * u.y, t * u.y * u.z - s * u.x, c + t * uu.z}};
}

// v·M with the matrix's zero translation row added last, which turns a −0
// into +0 exactly as the full 4×4 product does.
[[gnu::always_inline]] inline Vec3 turned(const Vec3 &v, const Rotation &m) {
  return {v.x * m.row0.x + v.y * m.row1.x + v.z * m.row2.x + 0.0,
          v.x * m.row0.y + v.y * m.row1.y + v.z * m.row2.y + 0.0,
          v.x * m.row0.z + v.y * m.row1.z + v.z * m.row2.z + 0.0};
}

// The working values of one ray: X and Y the film position moved by the
// image shift; pan and tilt the sine and cosine of the angular steps' angles;
// lensR and lensU the lens offsets along `right` and `up`; the target T,
// relative to the camera position, and the facing W.
struct Working {
  double X, Y;
  SinCos pan, tilt;
  Vec3 lensR, lensU, target, facing;
};

// Perspective: slide the target along `right` on the plane of focus.
// Angular: pan the target, the facing and lensR about `up`.
template <bool perspective, bool centre>
[[gnu::always_inline]] inline void horizontalStep(const FrameSample &s, Working &w) {
  if constexpr (perspective) {
    w.target = w.target + (w.X * s.planeScaleX) * s.right;
  } else {
    const Rotation pan = rotation(s.panAxis, s.panSquares, w.pan);
    w.target = turned(w.target, pan);
    if constexpr (!centre) w.lensR = turned(w.lensR, pan);
    w.facing = turned(w.facing, pan);
  }
}

// Perspective: slide the target along `up`. Angular: tilt the target, the
// facing and lensU about `right`.
template <bool perspective, bool centre>
[[gnu::always_inline]] inline void verticalStep(const FrameSample &s, Working &w) {
  if constexpr (perspective) {
    w.target = w.target + (w.Y * s.planeScaleY) * s.up;
  } else {
    const Rotation tilt = rotation(s.tiltAxis, s.tiltSquares, w.tilt);
    w.target = turned(w.target, tilt);
    if constexpr (!centre) w.lensU = turned(w.lensU, tilt);
    w.facing = turned(w.facing, tilt);
  }
}

// The lens at its centre: radius · lens x and radius · lens y zero, on a
// sample with finite axes, at finite angles. The offsets are then zeros, and
// the `centre` instance neither forms nor turns them. Zeros change only the
// signs of zero components. A sum rounded to nearest (the default mode) is
// −0 only when every addend is −0. So a turned zero is +0 whatever its sign
// (its products are ±0 and the matrix's zero row is added last), a turn never
// yields −0, and a zero adds the same bits wherever in a sum it comes: the
// sample folds what D subtracts into the start value (`centreFocusForward`),
// and after a turn it changes nothing. An offset that is not turned, on a
// perspective axis, keeps the signs of (radius · lens) · axis, which decide a
// zero component of D (−0 − (+0) is −0, −0 − (−0) is +0); the sample's values
// are those of a +0 product. A NaN or infinite axis or angle would turn the
// zeros into NaN, as would a NaN product: such rays, and −0 products on
// perspective axes, take the full path.
template <bool verticalPanorama, bool hPerspective, bool vPerspective, bool centre>
[[gnu::always_inline]] inline Ray traceFrom(const FrameSample &s, Working &w, double radiusX,
                                            double radiusY) {
  if constexpr (!centre) {
    w.lensR = radiusX * s.right;
    w.lensU = radiusY * s.up;
  }
  w.target = centre ? s.centreFocusForward : s.focusForward;
  w.facing = s.forward;

  // The ordinary panorama tilts first and then pans (poles along `up`); the
  // vertical panorama pans first and then tilts (poles along `right`). Both
  // steps use the sample's own axes, never turned ones.
  if constexpr (verticalPanorama) {
    horizontalStep<hPerspective, centre>(s, w);
    verticalStep<vPerspective, centre>(s, w);
  } else {
    verticalStep<vPerspective, centre>(s, w);
    horizontalStep<hPerspective, centre>(s, w);
  }

  // D = T − lensR − lensU from the lens to the target, and the origin
  // `position` + lensR + lensU (at the centre, both folded into the sample).
  // A zero-length D (a degenerate focal distance) looks where the film faces.
  const Vec3 D = centre ? w.target : w.target - w.lensR - w.lensU;
  const double length = std::sqrt(D.x * D.x + D.y * D.y + D.z * D.z);
  Vec3 direction{D.x / length, D.y / length, D.z / length};
  if (length == 0.0) direction = w.facing;
  // Component by component: g++ copied the block through the stack.
  const Vec3 origin = centre ? Vec3{s.centreOrigin.x, s.centreOrigin.y, s.centreOrigin.z}
                             : s.position + w.lensR + w.lensU;
  return {origin, direction, w.facing};
}

// True when r is +0, or either zero where its sign is lost (a turned offset).
template <bool keepsSign>
[[gnu::always_inline]] inline bool zeroOffset(double r) {
  return (keepsSign ? std::bit_cast<uint64_t>(r) : std::bit_cast<uint64_t>(r) << 1) == 0;
}

// True when neither is NaN: a rotation built from them is finite.
[[gnu::always_inline]] inline bool numbers(SinCos a) {
  return a.s == a.s && a.c == a.c;
}

// One switch combination's ray through film position (filmX, filmY), film
// units from the optical axis (+x looks right, +y up), from lens position
// (lensX, lensY) on the unit aperture.
template <bool verticalPanorama, bool hPerspective, bool vPerspective>
[[gnu::always_inline]] inline Ray trace(const FrameSample &s, double filmX, double filmY,
                                        double lensX, double lensY) {
  Working w;
  w.X = s.shiftX + filmX;
  w.Y = s.shiftY + filmY;
  // The angles' sines and cosines first, while nothing else is live across
  // the runtime's calls: the pan X · angleScaleX about `up`, the tilt
  // −(Y · angleScaleY) about `right`, so that a positive Y looks up.
  if constexpr (!hPerspective) w.pan = sinCos(w.X * s.angleScaleX);
  if constexpr (!vPerspective) w.tilt = sinCos(-(w.Y * s.angleScaleY));
  const double radiusX = s.lensRadius * lensX, radiusY = s.lensRadius * lensY;
  if (zeroOffset<hPerspective>(radiusX) && zeroOffset<vPerspective>(radiusY) && s.finiteAxes != 0 &&
      (hPerspective || numbers(w.pan)) && (vPerspective || numbers(w.tilt)))
    return traceFrom<verticalPanorama, hPerspective, vPerspective, true>(s, w, radiusX, radiusY);
  return traceFrom<verticalPanorama, hPerspective, vPerspective, false>(s, w, radiusX, radiusY);
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
  return static_cast<RayMode>(s.rayMode);
}

}  // namespace ray_kernel

// Calls kernel.template operator()<verticalPanorama, hPerspective,
// vPerspective>() for the sample's switch combination, so that the caller has
// one instance per combination (the host's evaluate callbacks: a function per
// kernel, each calling trace<…> and writing the host's record).
template <class Kernel>
[[gnu::always_inline]] inline decltype(auto) withRayKernel(const FrameSample &s, Kernel &&kernel) {
  using ray_kernel::RayMode;
  switch (ray_kernel::modeOf(s)) {
    case RayMode::AngularAngular:
      return kernel.template operator()<false, false, false>();
    case RayMode::PerspectiveAngular:
      return kernel.template operator()<false, true, false>();
    case RayMode::AngularPerspective:
      return kernel.template operator()<false, false, true>();
    case RayMode::PerspectivePerspective:
      return kernel.template operator()<false, true, true>();
    case RayMode::VerticalAngularAngular:
      return kernel.template operator()<true, false, false>();
    case RayMode::VerticalPerspectiveAngular:
      return kernel.template operator()<true, true, false>();
    case RayMode::VerticalAngularPerspective:
      return kernel.template operator()<true, false, true>();
    case RayMode::VerticalPerspectivePerspective:
      return kernel.template operator()<true, true, true>();
  }
  return kernel.template operator()<false, false, false>();
}

}  // namespace skyrind
