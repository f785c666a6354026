// The ray's angular steps: the pan about `up` and the tilt about `right`,
// built side by side in lane pairs (lane 0 the pan, lane 1 the tilt).
//
// A rotation is the row-major 4×4 Rodrigues matrix applied to row vectors,
// v becomes v·M with an implied w = 1. Only its 3×3 part varies; the rest is
// the identity's, and the turns still add its zero translation row, which
// turns a −0 result into +0 exactly as the full product does.
#pragma once

#include <cmath>

#include "camera/frame_sample.h"
#include "camera/lanes.h"
#include "camera/runtime_math.h"

namespace skyrind {

// axis / |axis|, |axis| = √(x² + y² + z²), each component divided by the one
// length.
inline Vec3 normalised(const Vec3 &v) {
  const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / length, v.y / length, v.z / length};
}

inline Vec3 squared(const Vec3 &u) {
  return {u.x * u.x, u.y * u.y, u.z * u.z};
}

// The 3×3 part of two rotations, element [row][column] of each in its lane.
struct RotationPair {
  Lanes m[3][3];
};

// Rodrigues form about unit axes u (components x, y, z, each a lane pair,
// with their squares uSq) for angles given by their sines and cosines: for
// right × up = forward a positive angle about `up` turns `forward` towards
// `right`. t·ux·uy is (t·ux)·uy and t·ux² is t·(ux·ux).
inline RotationPair rotationPair(const Lanes u[3], const Lanes uSq[3], Lanes s, Lanes c) {
  const Lanes t = 1 - c;
  const Lanes tx = t * u[0], ty = t * u[1];
  const Lanes txy = tx * u[1], txz = tx * u[2], tyz = ty * u[2];
  const Lanes sx = s * u[0], sy = s * u[1], sz = s * u[2];
  return {{{c + t * uSq[0], txy + sz, txz - sy},
           {txy - sz, c + t * uSq[1], tyz + sx},
           {txz + sy, tyz - sx, c + t * uSq[2]}}};
}

// Written out element by element, here and in the kernels: at -O2 the
// compiler leaves small loops over lane pairs rolled and sends the pairs
// through memory.

// out_j = v_x·m[0][j] + v_y·m[1][j] + v_z·m[2][j] + 0, left to right; every
// output is formed before any is stored, so v is turned in place.
inline void turn(Lanes v[3], const Lanes (&m)[3][3]) {
  const Lanes zero = {0.0, 0.0};
  const Lanes x = v[0] * m[0][0] + v[1] * m[1][0] + v[2] * m[2][0] + zero;
  const Lanes y = v[0] * m[0][1] + v[1] * m[1][1] + v[2] * m[2][1] + zero;
  const Lanes z = v[0] * m[0][2] + v[1] * m[1][2] + v[2] * m[2][2] + zero;
  v[0] = x;
  v[1] = y;
  v[2] = z;
}

// Turns both lanes of v by the rotation in lane `k` of R.
template <int k>
inline void turnBothBy(Lanes v[3], const RotationPair &R) {
  const Lanes m[3][3] = {
      {splat<k>(R.m[0][0]), splat<k>(R.m[0][1]), splat<k>(R.m[0][2])},
      {splat<k>(R.m[1][0]), splat<k>(R.m[1][1]), splat<k>(R.m[1][2])},
      {splat<k>(R.m[2][0]), splat<k>(R.m[2][1]), splat<k>(R.m[2][2])},
  };
  turn(v, m);
}

}  // namespace skyrind
