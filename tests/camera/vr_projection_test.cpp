// The VR cameras' rays checked against the geometry they are meant to have:
// where each eye sits and looks, how the eyes merge at the poles and meet at
// the convergence distance, the dome's circle, and that each mapping's
// inverse finds the film position again.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "camera/vr_projection.h"
#include "camera/vr_sample.h"
#include "vr_geometry.h"

namespace skyrind_test {
namespace {

using skyrind::DomeSettings;
using skyrind::EyeRequest;
using skyrind::Ray;
using skyrind::StereoSettings;
using skyrind::VrCamera;
using skyrind::VrSample;

constexpr double kTol = 1e-12;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

StereoSettings stereo(double separation = 0.065, double convergence = 0, int eyes = 0,
                      int parallel = 0) {
  StereoSettings s = skyrind::defaultStereoSettings(kPi);
  s.eyeSeparation = separation;
  s.convergence = convergence;
  s.eyes = eyes;
  s.parallelCameras = parallel;
  return s;
}

DomeSettings dome(double fovDegrees = 180, double tiltDegrees = 0) {
  return {degrees(fovDegrees), degrees(tiltDegrees)};
}

class VrRays : public ::testing::Test {
 protected:
  TestCamera cam = testCamera();

  VrSample sample(VrCamera camera, const StereoSettings &s, const DomeSettings &d, double W,
                  double H) {
    return skyrind::deriveVrSample(camera, s, d, cam.pose, {W, H}, kPi);
  }

  // The ray that must exist at (x, y).
  Ray ray(const VrSample &s, VrCamera camera, double x, double y,
          EyeRequest request = EyeRequest::Centre) {
    Ray r{};
    EXPECT_TRUE(skyrind::traceVrRay(s, camera, x, y, request, r)) << x << ", " << y;
    return r;
  }

  // The direction at longitude and latitude (radians) in the camera's axes.
  Vec3 toward(double lambda, double phi) const {
    return (std::cos(phi) * std::sin(lambda)) * cam.R + std::sin(phi) * cam.U +
           (std::cos(phi) * std::cos(lambda)) * cam.F;
  }
};

// ---- Stereo 360 --------------------------------------------------------

TEST_F(VrRays, Stereo360EyesSitHalfTheSeparationAlongRightWhenLookingAhead) {
  const VrSample s = sample(VrCamera::Stereo360, stereo(0.065), dome(), 2, 2);
  const double half = 0.0325;
  // The host's left and right eye, the whole frame each.
  const Ray left = ray(s, VrCamera::Stereo360, 0, 0, EyeRequest::Left);
  const Ray right = ray(s, VrCamera::Stereo360, 0, 0, EyeRequest::Right);
  EXPECT_VEC_NEAR(left.origin, cam.P + (-half) * cam.R, kTol);
  EXPECT_VEC_NEAR(right.origin, cam.P + half * cam.R, kTol);
  EXPECT_VEC_NEAR(left.direction, cam.F, kTol);
  EXPECT_VEC_NEAR(right.direction, cam.F, kTol);
  EXPECT_VEC_NEAR(left.facing, cam.F, kTol);
  // Looking right, the viewer's left is the camera's forward.
  const Ray sideways = ray(s, VrCamera::Stereo360, 0.5, 0, EyeRequest::Left);
  EXPECT_VEC_NEAR(sideways.direction, cam.R, kTol);
  EXPECT_VEC_NEAR(sideways.origin, cam.P + (-half) * (-1.0 * cam.F), kTol);
}

TEST_F(VrRays, Stereo360BothEyesPutTheLeftOnTop) {
  const VrSample s = sample(VrCamera::Stereo360, stereo(0.065), dome(), 2, 2);
  // Each half's middle row is its eye's horizon, its top and bottom rows the
  // poles.
  const Ray top = ray(s, VrCamera::Stereo360, 0, 0.5);
  const Ray bottom = ray(s, VrCamera::Stereo360, 0, -0.5);
  EXPECT_VEC_NEAR(top.origin, cam.P + (-0.0325) * cam.R, kTol);
  EXPECT_VEC_NEAR(top.direction, cam.F, kTol);
  EXPECT_VEC_NEAR(bottom.origin, cam.P + 0.0325 * cam.R, kTol);
  EXPECT_VEC_NEAR(bottom.direction, cam.F, kTol);
  EXPECT_VEC_NEAR(ray(s, VrCamera::Stereo360, 0.3, 1).direction, cam.U, kTol);
  EXPECT_VEC_NEAR(ray(s, VrCamera::Stereo360, 0.3, 0).direction, -1.0 * cam.U, kTol);
  EXPECT_VEC_NEAR(ray(s, VrCamera::Stereo360, 0.3, -0.0).direction, -1.0 * cam.U, kTol);
  EXPECT_VEC_NEAR(ray(s, VrCamera::Stereo360, 0.3, -1e-300).direction, cam.U, kTol);
  EXPECT_VEC_NEAR(ray(s, VrCamera::Stereo360, 0.3, -1).direction, -1.0 * cam.U, kTol);
  // A frame of one eye is that eye's whole sphere.
  const VrSample onlyRight = sample(VrCamera::Stereo360, stereo(0.065, 0, 2), dome(), 2, 2);
  const Ray r = ray(onlyRight, VrCamera::Stereo360, 0, 0.5);
  EXPECT_VEC_NEAR(r.direction, toward(0, kPi / 4), kTol);
  EXPECT_GT(dot(r.origin - cam.P, cam.R), 0.0);
}

TEST_F(VrRays, Stereo360OffsetIsLevelPerpendicularToTheViewAndMergedTowardThePoles) {
  const VrSample s = sample(VrCamera::Stereo360, stereo(0.065), dome(), 2, 2);
  const double f = degrees(60), t = degrees(75);
  int merging = 0;
  for (double X = -0.49; X < 0.5; X += 0.07) {
    for (double Y = -0.499; Y < 0.5; Y += 0.0123) {
      const Ray r = ray(s, VrCamera::Stereo360, 2 * X, 2 * Y);
      const Vec3 o = r.origin - cam.P;
      EXPECT_NEAR(dot(o, r.direction), 0, kTol);
      EXPECT_NEAR(dot(o, cam.U), 0, kTol);
      // |o| = (b/2) · m, m read from the direction's latitude.
      const double a = std::fabs(std::asin(dot(r.direction, cam.U)));
      const double m = a <= f ? 1 : a >= t ? 0 : std::cos(kPi / 2 * (a - f) / (t - f));
      EXPECT_NEAR(norm(o), 0.0325 * m, 1e-10) << X << ", " << Y;
      merging += m > 0 && m < 1;
    }
  }
  EXPECT_GT(merging, 20);
}

TEST_F(VrRays, PoleMergeStartsAtFromIsHalfwayAtTheMidpointAndEndsAtTo) {
  const VrSample s = sample(VrCamera::Stereo360, stereo(0.065, 0, 1), dome(), 2, 2);
  // One eye over the whole frame: φ = π · Y.
  auto offset = [&](double phiDegrees) {
    return norm(ray(s, VrCamera::Stereo360, 0.4, 2 * degrees(phiDegrees) / kPi).origin - cam.P) /
           0.0325;
  };
  EXPECT_NEAR(offset(0), 1, kTol);
  EXPECT_NEAR(offset(60), 1, kTol);
  EXPECT_NEAR(offset(-67.5), 0.70710678118654752, 1e-12);
  EXPECT_NEAR(offset(67.5), std::sqrt(0.5), kTol);
  EXPECT_NEAR(offset(75), 0, kTol);
  EXPECT_NEAR(offset(-89), 0, kTol);

  // To below from: whole eyes up to from, one eye beyond.
  StereoSettings reversed = stereo(0.065, 0, 1);
  reversed.poleMergeFrom = degrees(70);
  reversed.poleMergeTo = degrees(50);
  const VrSample r = sample(VrCamera::Stereo360, reversed, dome(), 2, 2);
  auto offsetR = [&](double phiDegrees) {
    return norm(ray(r, VrCamera::Stereo360, 0.4, 2 * degrees(phiDegrees) / kPi).origin - cam.P);
  };
  EXPECT_NEAR(offsetR(60), 0.0325, kTol);
  EXPECT_NEAR(offsetR(69.9), 0.0325, kTol);
  EXPECT_EQ(offsetR(70.1), 0);
}

TEST_F(VrRays, Stereo360SeamEdgesGiveTheSameRay) {
  const VrSample s = sample(VrCamera::Stereo360, stereo(0.065, 3.0), dome(), 4, 2);
  for (double Y = -0.45; Y < 0.5; Y += 0.1) {
    const Ray a = ray(s, VrCamera::Stereo360, -2, 2 * Y), b = ray(s, VrCamera::Stereo360, 2, 2 * Y);
    EXPECT_VEC_NEAR(a.origin, b.origin, kTol);
    EXPECT_VEC_NEAR(a.direction, b.direction, kTol);
    EXPECT_VEC_NEAR(a.facing, b.facing, kTol);
  }
  // The seam is behind the camera.
  EXPECT_LT(dot(ray(s, VrCamera::Stereo360, 2, 0.5).facing, cam.F), -0.99);
}

TEST_F(VrRays, ConvergedEyesMeetAtTheConvergencePoint) {
  for (VrCamera camera : {VrCamera::Stereo360, VrCamera::VR180}) {
    for (int parallel : {0, 1}) {
      const VrSample s = sample(camera, stereo(0.065, 2.5, 0, parallel), dome(), 2, 2);
      for (double X = -0.45; X < 0.5; X += 0.15) {
        for (double Y = -0.45; Y < 0.5; Y += 0.15) {
          const Ray l = ray(s, camera, 2 * X, 2 * Y, EyeRequest::Left);
          const Ray r = ray(s, camera, 2 * X, 2 * Y, EyeRequest::Right);
          EXPECT_VEC_NEAR(l.facing, r.facing, kTol);
          const Vec3 meet = cam.P + 2.5 * l.facing;
          EXPECT_VEC_NEAR(l.direction, unit(meet - l.origin), kTol);
          EXPECT_VEC_NEAR(r.direction, unit(meet - r.origin), kTol);
          EXPECT_NEAR(norm(l.direction), 1, kTol);
        }
      }
      // Converged eyes look inward: not along d.
      const Ray l = ray(s, camera, 0, 0, EyeRequest::Left);
      EXPECT_NEAR(dot(l.direction, cam.R), 0.0325 / std::hypot(2.5, 0.0325), kTol);
    }
  }
  // At any scale: C = k and b = 4k give the left eye, looking ahead, the
  // direction (F + 2R) / √5, down to the smallest double and up to where
  // C² overflows.
  const double smallest = std::numeric_limits<double>::denorm_min();
  for (double k : {smallest, 1e-160, 1.0, 1e160, 1e300}) {
    SCOPED_TRACE(k);
    for (VrCamera camera : {VrCamera::Stereo360, VrCamera::VR180}) {
      const VrSample s = sample(camera, stereo(4 * k, k), dome(), 2, 2);
      EXPECT_VEC_NEAR(ray(s, camera, 0, 0, EyeRequest::Left).direction,
                      (1 / std::sqrt(5.0)) * (cam.F + 2.0 * cam.R), kTol);
    }
  }
}

// ---- VR180 -----------------------------------------------------------------

TEST_F(VrRays, VR180LeftHalfIsTheLeftEyeEachHalfSpanning180Degrees) {
  const VrSample s = sample(VrCamera::VR180, stereo(0.065), dome(), 2, 1);
  const Ray left = ray(s, VrCamera::VR180, -0.5, 0), right = ray(s, VrCamera::VR180, 0.5, 0);
  EXPECT_VEC_NEAR(left.origin, cam.P + (-0.0325) * cam.R, kTol);
  EXPECT_VEC_NEAR(right.origin, cam.P + 0.0325 * cam.R, kTol);
  EXPECT_VEC_NEAR(left.direction, cam.F, kTol);
  EXPECT_VEC_NEAR(right.direction, cam.F, kTol);
  // Each half: its left edge looks along −right, its right edge along right,
  // top up.
  EXPECT_VEC_NEAR(ray(s, VrCamera::VR180, -1, 0).direction, -1.0 * cam.R, kTol);
  EXPECT_VEC_NEAR(ray(s, VrCamera::VR180, -1e-300, 0).direction, cam.R, kTol);
  EXPECT_VEC_NEAR(ray(s, VrCamera::VR180, 0, 0).direction, -1.0 * cam.R, kTol);
  EXPECT_VEC_NEAR(ray(s, VrCamera::VR180, -0.0, 0).direction, -1.0 * cam.R, kTol);
  EXPECT_VEC_NEAR(ray(s, VrCamera::VR180, 1, 0).direction, cam.R, kTol);
  EXPECT_VEC_NEAR(ray(s, VrCamera::VR180, 0.5, 0.5).direction, cam.U, kTol);
  EXPECT_VEC_NEAR(ray(s, VrCamera::VR180, -0.5, -0.25).direction, toward(0, -kPi / 4), kTol);
  // The host's eye: the whole frame, 180° across.
  const Ray asked = ray(s, VrCamera::VR180, -1, 0, EyeRequest::Right);
  EXPECT_VEC_NEAR(asked.direction, -1.0 * cam.R, kTol);
  EXPECT_VEC_NEAR(asked.origin, cam.P + 0.0325 * cam.F, kTol);
}

TEST_F(VrRays, VR180ParallelCamerasKeepTheirLensesWhereverTheyLook) {
  const VrSample s = sample(VrCamera::VR180, stereo(0.065, 0, 0, 1), dome(), 2, 1);
  const VrSample merged = sample(VrCamera::VR180, stereo(0.065, 0, 0, 0), dome(), 2, 1);
  for (double X : {-0.49, -0.3, -0.1, 0.05, 0.2, 0.45}) {
    for (double Y : {-0.5, -0.4, 0.0, 0.3, 0.5}) {
      const Ray r = ray(s, VrCamera::VR180, 2 * X, Y);
      const double side = X < 0 ? -1 : 1;
      EXPECT_VEC_NEAR(r.origin, cam.P + (side * 0.0325) * cam.R, kTol);
      // Not converged: parallel rays along d.
      EXPECT_VEC_NEAR(r.direction, r.facing, 0);
      EXPECT_VEC_NEAR(r.direction, ray(merged, VrCamera::VR180, 2 * X, Y).direction, 0);
    }
  }
  // Without parallel cameras the eyes merge at the poles.
  EXPECT_VEC_NEAR(ray(merged, VrCamera::VR180, -0.5, 0.5).origin, cam.P, kTol);
}

// ---- Dome ----------------------------------------------------------------

TEST_F(VrRays, DomeCircleFillsTheShorterSideAndNothingOutsideIt) {
  const VrSample s = sample(VrCamera::Dome, stereo(), dome(), 3, 2);
  const Ray untouched{{7, 7, 7}, {7, 7, 7}, {7, 7, 7}};
  for (double x : {-1.5, 1.5}) {
    for (double y : {-1.0, 1.0}) {
      Ray r = untouched;
      EXPECT_FALSE(skyrind::traceVrRay(s, VrCamera::Dome, x, y, EyeRequest::Centre, r));
      EXPECT_VEC_NEAR(r.origin, untouched.origin, 0);
      EXPECT_VEC_NEAR(r.direction, untouched.direction, 0);
    }
  }
  Ray r = untouched;
  EXPECT_FALSE(skyrind::traceVrRay(s, VrCamera::Dome, 1.0000001, 0, EyeRequest::Centre, r));
  EXPECT_FALSE(skyrind::traceVrRay(s, VrCamera::Dome, 0.8, -0.61, EyeRequest::Centre, r));
  EXPECT_VEC_NEAR(r.origin, untouched.origin, 0);
  // ρ = 1 is still on the dome: its rim, level with the camera.
  EXPECT_VEC_NEAR(ray(s, VrCamera::Dome, 1, 0).direction, cam.R, kTol);
  EXPECT_VEC_NEAR(ray(s, VrCamera::Dome, 0, -1).direction, cam.F, kTol);
  EXPECT_VEC_NEAR(ray(s, VrCamera::Dome, -1, 0).direction, -1.0 * cam.R, kTol);
}

TEST_F(VrRays, DomeZenithAtTheCentreFrontAtTheBottomRightOnTheRight) {
  const VrSample s = sample(VrCamera::Dome, stereo(), dome(), 2, 2);
  for (EyeRequest request : {EyeRequest::Centre, EyeRequest::Left, EyeRequest::Right}) {
    const Ray centre = ray(s, VrCamera::Dome, 0, 0, request);
    EXPECT_VEC_NEAR(centre.direction, cam.U, kTol);
    EXPECT_VEC_NEAR(centre.origin, cam.P, 0);
    EXPECT_VEC_NEAR(centre.facing, cam.U, kTol);
    EXPECT_VEC_NEAR(ray(s, VrCamera::Dome, 0, -1, request).direction, cam.F, kTol);
    EXPECT_VEC_NEAR(ray(s, VrCamera::Dome, 1, 0, request).direction, cam.R, kTol);
    EXPECT_VEC_NEAR(ray(s, VrCamera::Dome, 0, 1, request).direction, -1.0 * cam.F, kTol);
    EXPECT_VEC_NEAR(ray(s, VrCamera::Dome, -0.5, 0, request).direction, unit(cam.U - cam.R), kTol);
  }
}

TEST_F(VrRays, DomeAngleFromTheAxisGrowsEvenlyToHalfTheFieldOfView) {
  const double tau = degrees(30), fov = degrees(150);
  const VrSample s = sample(VrCamera::Dome, stereo(), dome(150, 30), 2, 4);
  const Vec3 axis = std::cos(tau) * cam.U + std::sin(tau) * cam.F;
  for (double x = -0.95; x < 1; x += 0.1) {
    for (double y = -0.95; y < 1; y += 0.1) {
      const double rho = std::hypot(x, y);
      if (rho > 1) continue;
      const Ray r = ray(s, VrCamera::Dome, x, y);
      EXPECT_NEAR(std::acos(std::min(1.0, dot(r.direction, axis))), rho * fov / 2, 1e-7);
      // Right of the image turns toward `right`, across the axis' plane.
      EXPECT_EQ(dot(r.direction, cam.R) > 0, x > 0) << x << ", " << y;
    }
  }
}

TEST_F(VrRays, DomeOf360DegreesLooksStraightDownAtItsRimAndTiltedUpLooksForward) {
  const VrSample full = sample(VrCamera::Dome, stereo(), dome(360), 2, 2);
  // Just inside the rim (ρ = 1 − 1e−14), whose points may round to ρ > 1.
  const double rim = 1 - 1e-14;
  for (double a = 0; a < 2 * kPi; a += 0.5) {
    EXPECT_VEC_NEAR(ray(full, VrCamera::Dome, rim * std::sin(a), rim * std::cos(a)).direction,
                    -1.0 * cam.U, kTol);
  }
  const VrSample forward = sample(VrCamera::Dome, stereo(), dome(180, 90), 2, 2);
  EXPECT_VEC_NEAR(ray(forward, VrCamera::Dome, 0, 0).direction, cam.F, kTol);
  EXPECT_VEC_NEAR(ray(forward, VrCamera::Dome, 0, -1).direction, -1.0 * cam.U, kTol);
  EXPECT_VEC_NEAR(ray(forward, VrCamera::Dome, 0, 1).direction, cam.U, kTol);
  EXPECT_VEC_NEAR(ray(forward, VrCamera::Dome, 1, 0).direction, cam.R, kTol);
}

// ---- Every camera ----------------------------------------------------------

struct Case {
  VrCamera camera;
  StereoSettings stereo;
  DomeSettings dome;
  double W, H;
};

std::vector<Case> everyLayout() {
  std::vector<Case> cases;
  for (int eyes : {0, 1, 2}) {
    cases.push_back({VrCamera::Stereo360, stereo(0.065, 0, eyes), dome(), 2, 2});
    cases.push_back({VrCamera::Stereo360, stereo(0.3, 1.5, eyes), dome(), 0.036, 0.024});
    cases.push_back({VrCamera::VR180, stereo(0.065, 0, eyes), dome(), 2, 1});
    cases.push_back({VrCamera::VR180, stereo(0.065, 4, eyes, 1), dome(), 0.036, 0.024});
  }
  cases.push_back({VrCamera::Dome, stereo(), dome(), 2, 2});
  cases.push_back({VrCamera::Dome, stereo(), dome(360, -40), 0.036, 0.024});
  cases.push_back({VrCamera::Dome, stereo(), dome(1, 90), 3, 2});
  return cases;
}

TEST_F(VrRays, FilmPositionComesBackFromEachRaysDirection) {
  using skyrind::Eye;
  int checked = 0;
  for (const Case &c : everyLayout()) {
    const VrSample s = sample(c.camera, c.stereo, c.dome, c.W, c.H);
    for (EyeRequest request : {EyeRequest::Centre, EyeRequest::Left, EyeRequest::Right}) {
      // Inside the film, off the seams and poles, where two positions show
      // one direction.
      for (double X = -0.4975; X < 0.5; X += 0.0331) {
        for (double Y = -0.4975; Y < 0.5; Y += 0.0331) {
          const double x = X * c.W, y = Y * c.H;
          Ray r;
          if (!skyrind::traceVrRay(s, c.camera, x, y, request, r)) continue;
          // The eye shown there: the host's, the settings' or the half's.
          const bool both = request == EyeRequest::Centre && c.stereo.eyes == 0;
          const bool leftHalf = c.camera == VrCamera::Stereo360 ? Y >= 0 : X < 0;
          const bool left =
              request == EyeRequest::Left ||
              (request == EyeRequest::Centre && (c.stereo.eyes == 1 || (both && leftHalf)));
          const Eye eye = left ? Eye::Left : Eye::Right;
          double fx = kNaN, fy = kNaN;
          ASSERT_TRUE(skyrind::vrFilmPosition(s, c.camera, request, eye, 5.0 * r.facing, fx, fy))
              << X << ", " << Y;
          EXPECT_NEAR(fx, x, kTol * c.W) << X << ", " << Y;
          EXPECT_NEAR(fy, y, kTol * c.H) << X << ", " << Y;
          // A one-eye frame does not show the other eye.
          if (c.camera != VrCamera::Dome && !both) {
            const Eye other = left ? Eye::Right : Eye::Left;
            EXPECT_FALSE(skyrind::vrFilmPosition(s, c.camera, request, other, r.facing, fx, fy));
          }
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 20000);
}

TEST_F(VrRays, DirectionsTheFilmDoesNotShowHaveNoFilmPosition) {
  using skyrind::Eye;
  double x = 7, y = 7;
  const VrSample vr180 = sample(VrCamera::VR180, stereo(), dome(), 2, 1);
  EXPECT_FALSE(skyrind::vrFilmPosition(vr180, VrCamera::VR180, EyeRequest::Centre, Eye::Left,
                                       toward(kPi / 2 + 1e-9, 0.2), x, y));
  EXPECT_FALSE(skyrind::vrFilmPosition(vr180, VrCamera::VR180, EyeRequest::Centre, Eye::Left,
                                       -1.0 * cam.F, x, y));
  const VrSample dome150 = sample(VrCamera::Dome, stereo(), dome(150, 20), 2, 2);
  const Vec3 axis = std::cos(degrees(20)) * cam.U + std::sin(degrees(20)) * cam.F;
  EXPECT_FALSE(skyrind::vrFilmPosition(dome150, VrCamera::Dome, EyeRequest::Centre, Eye::Left,
                                       turned(axis, cam.R, degrees(75.001)), x, y));
  for (const Vec3 &v : {Vec3{0, 0, 0}, Vec3{kNaN, 0, 1}, Vec3{kInf, 0, 0}}) {
    EXPECT_FALSE(
        skyrind::vrFilmPosition(dome150, VrCamera::Dome, EyeRequest::Centre, Eye::Left, v, x, y));
  }
  EXPECT_EQ(x, 7);
  EXPECT_EQ(y, 7);
  // The rim itself is on the film: one radius from the centre.
  ASSERT_TRUE(skyrind::vrFilmPosition(dome150, VrCamera::Dome, EyeRequest::Centre, Eye::Left,
                                      turned(axis, cam.R, degrees(74.999)), x, y));
  EXPECT_NEAR(std::hypot(x, y), 74.999 / 75, 1e-12);
}

TEST_F(VrRays, RaysAreUnitAndFiniteForAnySettingsAndNoneForNonFiniteInput) {
  const double big = std::numeric_limits<double>::max();
  const double tiny = std::numeric_limits<double>::denorm_min();
  const std::vector<StereoSettings> settings = {
      stereo(big, 0),
      stereo(big, big),
      stereo(tiny, big),
      stereo(big, tiny),
      stereo(tiny, tiny),
      stereo(2, 1e-160),     // C · d alone, past the poles' merge, is 1e-320 long
      stereo(1, 0.5, 0, 1),  // a VR180 lens at the convergence point, looking along R
      stereo(kNaN, -kInf, 7, -3),
      stereo(-1, kInf, -1, 0)};
  for (const StereoSettings &st : settings) {
    for (VrCamera camera : {VrCamera::Stereo360, VrCamera::VR180, VrCamera::Dome}) {
      const VrSample s = sample(camera, st, dome(kNaN, kInf), 2, 2);
      for (double X = -0.5; X <= 0.5; X += 0.0625) {
        for (double Y = -0.5; Y <= 0.5; Y += 0.0625) {
          for (EyeRequest request : {EyeRequest::Centre, EyeRequest::Left, EyeRequest::Right}) {
            Ray r;
            if (!skyrind::traceVrRay(s, camera, 2 * X, 2 * Y, request, r)) {
              // The stereo cameras have a ray everywhere on the film unless
              // the offset itself leaves the doubles.
              EXPECT_TRUE(camera == VrCamera::Dome || st.eyeSeparation == big);
              continue;
            }
            EXPECT_NEAR(norm(r.direction), 1, kTol);
            EXPECT_NEAR(norm(r.facing), 1, kTol);
            EXPECT_TRUE(std::isfinite(r.origin.x) && std::isfinite(r.origin.y) &&
                        std::isfinite(r.origin.z));
          }
        }
      }
    }
  }
  // Film positions that are not finite give no ray and leave the ray alone.
  for (VrCamera camera : {VrCamera::Stereo360, VrCamera::VR180, VrCamera::Dome}) {
    const VrSample s = sample(camera, stereo(), dome(), 2, 2);
    for (double bad : {kNaN, kInf, -kInf}) {
      Ray r{{7, 7, 7}, {7, 7, 7}, {7, 7, 7}};
      EXPECT_FALSE(skyrind::traceVrRay(s, camera, bad, 0, EyeRequest::Centre, r));
      EXPECT_FALSE(skyrind::traceVrRay(s, camera, 0, bad, EyeRequest::Left, r));
      EXPECT_EQ(r.origin.x, 7);
      EXPECT_EQ(r.direction.y, 7);
    }
    // Nor does a film of no size.
    Ray r;
    EXPECT_FALSE(skyrind::traceVrRay(
        skyrind::deriveVrSample(camera, stereo(), dome(), cam.pose, {0, 0}, kPi), camera, 0, 0,
        EyeRequest::Centre, r));
  }
}

}  // namespace
}  // namespace skyrind_test
