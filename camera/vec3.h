// Three doubles: a position, an axis or an offset in world units. Each
// operator acts component by component with one rounding per operation.
#pragma once

namespace skyrind {

struct Vec3 {
  double x, y, z;
};

inline Vec3 operator+(const Vec3 &a, const Vec3 &b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(const Vec3 &a, const Vec3 &b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(double k, const Vec3 &v) {
  return {k * v.x, k * v.y, k * v.z};
}

}  // namespace skyrind
