// One camera sample per time across the frame's exposure: everything a ray
// needs, computed once per sample time by the new-frame callback.
#pragma once

#include <cstddef>
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
};

// The record keeps exactly the fields above, in this order and with natural
// alignment, so whatever reads the table sees each entry 192 bytes apart.
static_assert(sizeof(FrameSample) == 192);

// The rotation axes of one sample as the rotation builder normalises them
// (up/|up|, right/|right|) with their squared components: per sample, not
// per ray. The table's allocation holds sampleCount + 1 of these right after
// the sampleCount + 1 FrameSample records, so FrameSample keeps its own
// layout and the table stays one allocation.
struct SampleAxes {
  Vec3 panAxis, panAxisSq;
  Vec3 tiltAxis, tiltAxisSq;
};

// The axes that belong to entry `index` of a table of `count` + 1 samples.
inline const SampleAxes &sampleAxes(const FrameSample *table, uint32_t count, uint32_t index) {
  return reinterpret_cast<const SampleAxes *>(table + (size_t{count} + 1))[index];
}

}  // namespace skyrind
