// Three doubles (x, y, z) with the few operations the tool needs. World and
// camera space are left-handed as the host's: +x right, +y up, +z forward.
#pragma once

#include <array>
#include <cmath>

namespace skyhost {

struct Vec3 {
  double x = 0, y = 0, z = 0;

  static Vec3 from(const std::array<double, 3> &a) { return {a[0], a[1], a[2]}; }
  static Vec3 from(const double a[3]) { return {a[0], a[1], a[2]}; }
  std::array<double, 3> array() const { return {x, y, z}; }

  Vec3 operator+(const Vec3 &o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vec3 operator-(const Vec3 &o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vec3 operator*(double s) const { return {x * s, y * s, z * s}; }
  Vec3 operator*(const Vec3 &o) const { return {x * o.x, y * o.y, z * o.z}; }
  Vec3 &operator+=(const Vec3 &o) { return *this = *this + o; }
};

inline double dot(const Vec3 &a, const Vec3 &b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline double length(const Vec3 &v) {
  return std::sqrt(dot(v, v));
}
inline Vec3 normalized(const Vec3 &v) {
  return v * (1.0 / length(v));
}

constexpr double kPi = 3.14159265358979323846;
inline double radians(double degrees) {
  return degrees * (kPi / 180.0);
}
inline double degrees(double radians) {
  return radians * (180.0 / kPi);
}

}  // namespace skyhost
