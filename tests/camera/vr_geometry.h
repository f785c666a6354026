// Vector helpers and a camera pose for the VR camera tests: a camera turned
// about a slanted axis, moved from the origin and scaled differently along
// each axis, so that nothing holds only for unit, world-aligned axes.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "camera/frame_sample.h"
#include "camera/vec3.h"

namespace skyrind_test {

using skyrind::Vec3;

inline double dot(const Vec3 &a, const Vec3 &b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline double norm(const Vec3 &a) {
  return std::sqrt(dot(a, a));
}
inline Vec3 unit(const Vec3 &a) {
  return (1 / norm(a)) * a;
}
inline Vec3 cross(const Vec3 &a, const Vec3 &b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
// v turned about the unit axis u by angle radians (vector Rodrigues form).
inline Vec3 turned(const Vec3 &v, const Vec3 &u, double angle) {
  return std::cos(angle) * v + std::sin(angle) * cross(u, v) +
         (dot(u, v) * (1 - std::cos(angle))) * u;
}

inline const double kPi = std::acos(-1.0);
inline double degrees(double d) {
  return d * kPi / 180;
}

// The pose every VR test uses, and its unit axes.
struct TestCamera {
  skyrind::CameraPose pose;
  Vec3 P, R, U, F;
};

inline TestCamera testCamera() {
  const Vec3 axis = unit({1, 2, 3});
  const double angle = 0.7;
  TestCamera c;
  c.R = turned({1, 0, 0}, axis, angle);
  c.U = turned({0, 1, 0}, axis, angle);
  c.F = turned({0, 0, 1}, axis, angle);
  c.P = {1.5, -2.0, 3.25};
  c.pose = {c.P, 2.0 * c.R, 0.5 * c.U, 3.0 * c.F};
  return c;
}

// a within tolerance of b in each component, for EXPECT_TRUE.
inline ::testing::AssertionResult near(const Vec3 &a, const Vec3 &b, double tolerance = 1e-12) {
  if (std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance &&
      std::fabs(a.z - b.z) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "(" << a.x << ", " << a.y << ", " << a.z << ") is not within " << tolerance << " of ("
         << b.x << ", " << b.y << ", " << b.z << ")";
}

}  // namespace skyrind_test
