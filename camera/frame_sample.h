// One camera sample per time across the frame's exposure: everything a ray
// needs, derived once per sample time so that a ray only reads one record.
#pragma once

#include <cstdint>

#include "camera/settings.h"
#include "camera/vec3.h"

namespace skyrind {

struct FrameSample {
  double shiftX;       // horizontal image shift, film units
  double shiftY;       // vertical image shift, film units
  double lensRadius;   // aperture radius, scene units per unit of lens position
  double planeScaleX;  // along `right` on the plane of focus, per film unit of x
  double planeScaleY;  // along `up` on the plane of focus, per film unit of y
  double angleScaleX;  // radians per film unit of x
  double angleScaleY;  // radians per film unit of y
  int32_t verticalPanorama;
  int32_t hPerspective;
  int32_t vPerspective;
  // The three flags as one kernel number: bit 0 hPerspective, bit 1
  // vPerspective, bit 2 verticalPanorama.
  uint32_t rayMode;
  // Non-zero when right, up, panAxis and tiltAxis are all finite.
  int32_t finiteAxes;
  Vec3 right;         // unit
  Vec3 up;            // unit
  Vec3 focusForward;  // unit forward times the focal distance
  Vec3 forward;       // unit
  Vec3 position;      // world position, as the host gives it
  // The rotation axes exactly as the rotation builder normalises them,
  // `up` / |up| and `right` / |right|: once per sample instead of per ray.
  Vec3 panAxis;
  Vec3 tiltAxis;
  // The rotation builder's squares of each axis component, (ux·ux, uy·uy,
  // uz·uz) of panAxis and of tiltAxis: the same products on every ray.
  Vec3 panSquares;
  Vec3 tiltSquares;
  // With the lens at its centre (radius · lens x and y zero, +0 on a
  // perspective axis) the offsets lensR and lensU after the steps are zeros:
  // +0 on an angular axis (turned), (+0 · `right`) or (+0 · `up`) on a
  // perspective one. The target's start value with what the ray subtracts
  // from it folded in, focusForward + ((−0 − lensR) − lensU), and the origin,
  // position + (lensR + lensU).
  Vec3 centreFocusForward;
  Vec3 centreOrigin;
};

// The camera item at one time, as the host gives it: world position and the
// right, up and forward axes (of any length: a scaled camera).
struct CameraPose {
  Vec3 position;
  Vec3 right;
  Vec3 up;
  Vec3 forward;
};

// The camera's lens at one time.
struct Lens {
  double focalDistance;  // scene units
  double fStop;
};

// The sample for settings evaluated at one time, the camera's pose and lens
// then, and the film's size. Nothing is clamped or validated: a zero film
// size, f-stop or axis gives infinities or NaNs by plain double arithmetic.
FrameSample deriveSample(const CameraSettings &settings, const CameraPose &pose, const Lens &lens,
                         const FilmSize &film);

// The table entry ⌊sampleCount × fracTime⌋ of a table of sampleCount + 1.
// The time is clamped to [0, 1] first (NaN reads entry 0), so no input can
// index outside the table.
inline uint32_t sampleIndex(uint32_t sampleCount, double fracTime) {
  double t = fracTime;
  if (!(t >= 0.0)) t = 0.0;
  if (t > 1.0) t = 1.0;
  return static_cast<uint32_t>(static_cast<double>(sampleCount) * t);
}

}  // namespace skyrind
