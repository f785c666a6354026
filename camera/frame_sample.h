// One camera sample per time across the frame's exposure: everything a ray
// needs, computed once per sample time by the new-frame callback.
#pragma once

#include <cstdint>

namespace skyrind {

struct Vec3 {
  double x, y, z;
};

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
  Vec3 right;         // unit
  Vec3 up;            // unit
  Vec3 focusForward;  // unit forward times the focal distance
  Vec3 forward;       // unit
  Vec3 position;      // world position, as the host gives it
  // Rotation axes as the rotation builder normalises them (up/|up|,
  // right/|right|) and their squared components: per sample, not per ray.
  Vec3 panAxis, panAxisSq;
  Vec3 tiltAxis, tiltAxisSq;
};

}  // namespace skyrind
