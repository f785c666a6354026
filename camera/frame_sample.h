// One camera sample per time across the frame's exposure: everything a ray
// needs, computed once per sample time by the new-frame callback.
#pragma once

#include <cstddef>
#include <cstdint>

#include "camera/lanes.h"

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
};

// The record keeps exactly the fields above, in this order and with natural
// alignment, so whatever reads the table sees each entry 192 bytes apart.
static_assert(sizeof(FrameSample) == 192);

// What the ray reads of one sample, laid out in lane pairs (camera/lanes.h)
// per component x, y, z: lane 0 holds what the pan about `up` turns, lane 1
// what the tilt about `right` turns. Filled once per sample, not per ray.
// The table's allocation holds sampleCount + 1 of these right after the
// sampleCount + 1 FrameSample records, so FrameSample keeps its own layout
// and the table stays one allocation.
struct SampleLanes {
  Lanes axis[3];          // {up/|up|, right/|right|}, as the rotation builder normalises them
  Lanes axisSq[3];        // their squared components
  Lanes lensBasis[3];     // {right, up}: the lens offsets' directions
  Lanes targetFacing[3];  // {focusForward, forward}: T and W before the turns
  // hPerspective | vPerspective << 1 | verticalPanorama << 2, each switch as
  // 0 or 1: which of the eight ray kernels the sample takes.
  uint32_t kernel;
};

// The lanes that belong to entry `index` of a table of `count` + 1 samples.
inline const SampleLanes &sampleLanes(const FrameSample *table, uint32_t count, uint32_t index) {
  return reinterpret_cast<const SampleLanes *>(table + (size_t{count} + 1))[index];
}

}  // namespace skyrind
