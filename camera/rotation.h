// Axis-angle rotations for the ray's angular steps. Matrices are row-major
// 4×4 doubles applied to row vectors: v becomes v·M with an implied w = 1.
#pragma once

#include <math.h>

#include <cmath>

#include "camera/frame_sample.h"

namespace skyrind {

struct Matrix4 {
  double m[4][4];
};

// axis / |axis|, |axis| = √(x² + y² + z²), each component divided by the one
// length.
inline Vec3 normalised(const Vec3 &v) {
  const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / length, v.y / length, v.z / length};
}

inline Vec3 squared(const Vec3 &u) {
  return {u.x * u.x, u.y * u.y, u.z * u.z};
}

// Sine and cosine of one angle (radians) in one call: glibc's sincos gives
// the very results of sin and cos.
struct SinCos {
  double s, c;
};

inline SinCos sinCos(double angle) {
  SinCos r;
  ::sincos(angle, &r.s, &r.c);
  return r;
}

// Rodrigues form about a unit axis u, given with its squared components, for
// an angle given by its sine and cosine: for right × up = forward a positive
// angle about `up` turns `forward` towards `right`.
inline Matrix4 &rotationAboutUnitAxis(Matrix4 &out, const Vec3 &u, const Vec3 &uSq, SinCos angle) {
  const double c = angle.c;
  const double s = angle.s;
  const double t = 1 - c;
  out.m[0][0] = c + t * uSq.x;
  out.m[0][1] = t * u.x * u.y + s * u.z;
  out.m[0][2] = t * u.x * u.z - s * u.y;
  out.m[0][3] = 0;
  out.m[1][0] = t * u.x * u.y - s * u.z;
  out.m[1][1] = c + t * uSq.y;
  out.m[1][2] = t * u.y * u.z + s * u.x;
  out.m[1][3] = 0;
  out.m[2][0] = t * u.x * u.z + s * u.y;
  out.m[2][1] = t * u.y * u.z - s * u.x;
  out.m[2][2] = c + t * uSq.z;
  out.m[2][3] = 0;
  out.m[3][0] = 0;
  out.m[3][1] = 0;
  out.m[3][2] = 0;
  out.m[3][3] = 1;
  return out;
}

// The rotation builder: normalises the axis, then fills all sixteen elements.
inline Matrix4 &buildRotation(Matrix4 &out, const Vec3 &axis, double angle) {
  const Vec3 u = normalised(axis);
  return rotationAboutUnitAxis(out, u, squared(u), sinCos(angle));
}

// out = v·M; every output is formed from the input before any is stored, so
// `out` may be `v` itself.
inline void transformPoint(const Matrix4 &M, const Vec3 &v, Vec3 &out) {
  const double x = v.x * M.m[0][0] + v.y * M.m[1][0] + v.z * M.m[2][0] + M.m[3][0];
  const double y = v.x * M.m[0][1] + v.y * M.m[1][1] + v.z * M.m[2][1] + M.m[3][1];
  const double z = v.x * M.m[0][2] + v.y * M.m[1][2] + v.z * M.m[2][2] + M.m[3][2];
  out = {x, y, z};
}

}  // namespace skyrind
