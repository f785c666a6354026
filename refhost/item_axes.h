// An item's axes in world space from its rotation and scale.
//
// Axes: +X right, +Y up, +Z forward. At rest right = (1,0,0), up = (0,1,0),
// forward = (0,0,1), so right x up = forward component-wise. The rotation
// is bank (about Z), then pitch (about X), then heading (about Y):
// heading > 0 turns forward towards +X, pitch > 0 turns forward towards -Y
// (looking down), bank > 0 turns right towards +Y. Angles in radians.
#pragma once

#include <array>

namespace refhost {

using Vec3 = std::array<double, 3>;

struct Rotation {
  double heading = 0;
  double pitch = 0;
  double bank = 0;
};

struct ItemAxes {
  Vec3 right;
  Vec3 up;
  Vec3 forward;
};

// Each axis is scaled by its own scale component (right by scale[0], up by
// scale[1], forward by scale[2]), as the host reports them.
ItemAxes itemAxes(const Rotation &rotation, const Vec3 &scale);

}  // namespace refhost
