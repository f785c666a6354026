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
  // Its direction.
  Vec3 look(const VrSample &s, VrCamera camera, double x, double y,
            EyeRequest request = EyeRequest::Centre) {
    return ray(s, camera, x, y, request).direction;
  }
  // Where the eye sits: its offset from the camera's position.
  Vec3 eye(const VrSample &s, VrCamera camera, double x, double y,
           EyeRequest request = EyeRequest::Centre) {
    return ray(s, camera, x, y, request).origin - cam.P;
  }
  // No ray at (x, y), and `out` as it was.
  void expectNone(const VrSample &s, VrCamera camera, double x, double y,
                  EyeRequest request = EyeRequest::Centre) {
    Ray r{{7, 7, 7}, {7, 7, 7}, {7, 7, 7}};
    EXPECT_FALSE(skyrind::traceVrRay(s, camera, x, y, request, r)) << x << ", " << y;
    EXPECT_TRUE(near(r.origin, {7, 7, 7}, 0) && near(r.direction, {7, 7, 7}, 0));
  }

  // The direction at longitude and latitude (radians) in the camera's axes.
  Vec3 toward(double lambda, double phi) const {
    return (std::cos(phi) * std::sin(lambda)) * cam.R + std::sin(phi) * cam.U +
           (std::cos(phi) * std::cos(lambda)) * cam.F;
  }
};

// ---- Stereo 360 --------------------------------------------------------

TEST_F(VrRays, Stereo360EyesSitHalfTheSeparationAlongRightAndTheLeftIsOnTop) {
  const VrCamera c = VrCamera::Stereo360;
  const VrSample s = sample(c, stereo(0.065), dome(), 2, 2);
  const Vec3 left = -0.0325 * cam.R, right = 0.0325 * cam.R;
  // The host's left and right eye, the whole frame each, looking ahead; and
  // looking right, where the viewer's left is the camera's forward.
  EXPECT_TRUE(near(eye(s, c, 0, 0, EyeRequest::Left), left));
  EXPECT_TRUE(near(eye(s, c, 0, 0, EyeRequest::Right), right));
  EXPECT_TRUE(near(look(s, c, 0, 0, EyeRequest::Left), cam.F));
  EXPECT_TRUE(near(look(s, c, 0.5, 0, EyeRequest::Left), cam.R));
  EXPECT_TRUE(near(eye(s, c, 0.5, 0, EyeRequest::Left), 0.0325 * cam.F));
  // Both eyes: each half's middle row is its eye's horizon, its top and
  // bottom rows the poles; Y = −0 is on top.
  EXPECT_TRUE(near(eye(s, c, 0, 0.5), left));
  EXPECT_TRUE(near(look(s, c, 0, 0.5), cam.F));
  EXPECT_TRUE(near(eye(s, c, 0, -0.5), right));
  EXPECT_TRUE(near(look(s, c, 0, -0.5), cam.F));
  EXPECT_TRUE(near(look(s, c, 0.3, 1), cam.U));
  EXPECT_TRUE(near(look(s, c, 0.3, 0), -1.0 * cam.U));
  EXPECT_TRUE(near(look(s, c, 0.3, -0.0), -1.0 * cam.U));
  EXPECT_TRUE(near(look(s, c, 0.3, -1e-300), cam.U));
  EXPECT_TRUE(near(look(s, c, 0.3, -1), -1.0 * cam.U));
  // A frame of one eye is that eye's whole sphere.
  const VrSample onlyRight = sample(c, stereo(0.065, 0, 2), dome(), 2, 2);
  EXPECT_TRUE(near(look(onlyRight, c, 0, 0.5), toward(0, kPi / 4)));
  EXPECT_TRUE(near(eye(onlyRight, c, 0, 0.5), right));
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
  StereoSettings reversed = stereo(0.065, 0, 1);
  reversed.poleMergeFrom = degrees(70);
  reversed.poleMergeTo = degrees(50);
  const VrSample s = sample(VrCamera::Stereo360, stereo(0.065, 0, 1), dome(), 2, 2);
  const VrSample r = sample(VrCamera::Stereo360, reversed, dome(), 2, 2);
  // |o| / (b/2) at a latitude: one eye over the whole frame, φ = π · Y.
  auto m = [&](const VrSample &sample, double phiDegrees) {
    return norm(eye(sample, VrCamera::Stereo360, 0.4, 2 * degrees(phiDegrees) / kPi)) / 0.0325;
  };
  EXPECT_NEAR(m(s, 0), 1, kTol);
  EXPECT_NEAR(m(s, 60), 1, kTol);
  EXPECT_NEAR(m(s, -67.5), 0.70710678118654752, kTol);
  EXPECT_NEAR(m(s, 67.5), 0.70710678118654752, kTol);
  EXPECT_NEAR(m(s, 75), 0, kTol);
  EXPECT_NEAR(m(s, -89), 0, kTol);
  // `to` below `from`: whole eyes up to `from`, one eye beyond.
  EXPECT_NEAR(m(r, 60), 1, kTol);
  EXPECT_NEAR(m(r, 69.9), 1, kTol);
  EXPECT_EQ(m(r, 70.1), 0);
}

TEST_F(VrRays, Stereo360SeamEdgesGiveTheSameRay) {
  const VrSample s = sample(VrCamera::Stereo360, stereo(0.065, 3.0), dome(), 4, 2);
  for (double Y = -0.45; Y < 0.5; Y += 0.1) {
    const Ray a = ray(s, VrCamera::Stereo360, -2, 2 * Y), b = ray(s, VrCamera::Stereo360, 2, 2 * Y);
    EXPECT_TRUE(near(a.origin, b.origin) && near(a.direction, b.direction) &&
                near(a.facing, b.facing))
        << Y;
  }
  // The seam is behind the camera.
  EXPECT_LT(dot(look(s, VrCamera::Stereo360, 2, 0.5), cam.F), -0.99);
}

TEST_F(VrRays, ConvergedEyesMeetAtTheConvergencePoint) {
  for (VrCamera camera : {VrCamera::Stereo360, VrCamera::VR180}) {
    for (int parallel : {0, 1}) {
      const VrSample s = sample(camera, stereo(0.065, 2.5, 0, parallel), dome(), 2, 2);
      for (double X = -0.45; X < 0.5; X += 0.15) {
        for (double Y = -0.45; Y < 0.5; Y += 0.15) {
          const Ray l = ray(s, camera, 2 * X, 2 * Y, EyeRequest::Left);
          const Ray r = ray(s, camera, 2 * X, 2 * Y, EyeRequest::Right);
          const Vec3 meet = cam.P + 2.5 * l.facing;
          EXPECT_TRUE(near(l.facing, r.facing));
          EXPECT_TRUE(near(l.direction, unit(meet - l.origin)));
          EXPECT_TRUE(near(r.direction, unit(meet - r.origin)));
        }
      }
      // Converged eyes look inward: not along d.
      EXPECT_NEAR(dot(look(s, camera, 0, 0, EyeRequest::Left), cam.R),
                  0.0325 / std::hypot(2.5, 0.0325), kTol);
    }
  }
  // At any scale: C = k and b = 4k give the left eye, looking ahead, the
  // direction (F + 2R) / √5, down to the smallest double and up to where
  // C² overflows.
  for (double k : {std::numeric_limits<double>::denorm_min(), 1e-160, 1.0, 1e160, 1e300}) {
    for (VrCamera camera : {VrCamera::Stereo360, VrCamera::VR180}) {
      const VrSample s = sample(camera, stereo(4 * k, k), dome(), 2, 2);
      EXPECT_TRUE(near(look(s, camera, 0, 0, EyeRequest::Left),
                       (1 / std::sqrt(5.0)) * (cam.F + 2.0 * cam.R)))
          << k;
    }
  }
}

// ---- VR180 -----------------------------------------------------------------

TEST_F(VrRays, VR180LeftHalfIsTheLeftEyeEachHalfSpanning180Degrees) {
  const VrCamera c = VrCamera::VR180;
  const VrSample s = sample(c, stereo(0.065), dome(), 2, 1);
  EXPECT_TRUE(near(eye(s, c, -0.5, 0), -0.0325 * cam.R));
  EXPECT_TRUE(near(eye(s, c, 0.5, 0), 0.0325 * cam.R));
  EXPECT_TRUE(near(look(s, c, -0.5, 0), cam.F));
  EXPECT_TRUE(near(look(s, c, 0.5, 0), cam.F));
  // Each half: its left edge looks along −right, its right edge along
  // right, its top up; X = −0 is in the right half.
  EXPECT_TRUE(near(look(s, c, -1, 0), -1.0 * cam.R));
  EXPECT_TRUE(near(look(s, c, -1e-300, 0), cam.R));
  EXPECT_TRUE(near(look(s, c, 0, 0), -1.0 * cam.R));
  EXPECT_TRUE(near(look(s, c, -0.0, 0), -1.0 * cam.R));
  EXPECT_TRUE(near(look(s, c, 1, 0), cam.R));
  EXPECT_TRUE(near(look(s, c, 0.5, 0.5), cam.U));
  EXPECT_TRUE(near(look(s, c, -0.5, -0.25), toward(0, -kPi / 4)));
  // The host's eye: the whole frame, 180° across.
  EXPECT_TRUE(near(look(s, c, -1, 0, EyeRequest::Right), -1.0 * cam.R));
  EXPECT_TRUE(near(eye(s, c, -1, 0, EyeRequest::Right), 0.0325 * cam.F));
}

TEST_F(VrRays, VR180ParallelCamerasKeepTheirLensesWhereverTheyLook) {
  const VrSample s = sample(VrCamera::VR180, stereo(0.065, 0, 0, 1), dome(), 2, 1);
  const VrSample merged = sample(VrCamera::VR180, stereo(0.065, 0, 0, 0), dome(), 2, 1);
  for (double X : {-0.49, -0.3, -0.1, 0.05, 0.2, 0.45}) {
    for (double Y : {-0.5, -0.4, 0.0, 0.3, 0.5}) {
      const Ray r = ray(s, VrCamera::VR180, 2 * X, Y);
      EXPECT_TRUE(near(r.origin - cam.P, (X < 0 ? -0.0325 : 0.0325) * cam.R));
      // Not converged: parallel rays along d.
      EXPECT_TRUE(near(r.direction, r.facing, 0));
      EXPECT_TRUE(near(r.direction, look(merged, VrCamera::VR180, 2 * X, Y), 0));
    }
  }
  // Without parallel cameras the eyes merge at the poles.
  EXPECT_TRUE(near(eye(merged, VrCamera::VR180, -0.5, 0.5), {0, 0, 0}));
}

// ---- Dome ----------------------------------------------------------------

TEST_F(VrRays, DomeCircleFillsTheShorterSideAndNothingOutsideIt) {
  const VrCamera c = VrCamera::Dome;
  const VrSample s = sample(c, stereo(), dome(), 3, 2);
  for (double x : {-1.5, 1.5}) {
    for (double y : {-1.0, 1.0}) expectNone(s, c, x, y);
  }
  expectNone(s, c, 1.0000001, 0);
  expectNone(s, c, 0.8, -0.61);
  // ρ = 1 is still on the dome: its rim, level with the camera.
  EXPECT_TRUE(near(look(s, c, 1, 0), cam.R));
  EXPECT_TRUE(near(look(s, c, 0, -1), cam.F));
  EXPECT_TRUE(near(look(s, c, -1, 0), -1.0 * cam.R));
}

TEST_F(VrRays, DomeZenithAtTheCentreFrontAtTheBottomRightOnTheRightTiltedUpForward) {
  const VrCamera c = VrCamera::Dome;
  const VrSample s = sample(c, stereo(), dome(), 2, 2);
  for (EyeRequest request : {EyeRequest::Centre, EyeRequest::Left, EyeRequest::Right}) {
    const Ray centre = ray(s, c, 0, 0, request);
    EXPECT_TRUE(near(centre.origin, cam.P, 0));
    EXPECT_TRUE(near(centre.direction, cam.U) && near(centre.facing, cam.U));
    EXPECT_TRUE(near(look(s, c, 0, -1, request), cam.F));
    EXPECT_TRUE(near(look(s, c, 1, 0, request), cam.R));
    EXPECT_TRUE(near(look(s, c, 0, 1, request), -1.0 * cam.F));
    EXPECT_TRUE(near(look(s, c, -0.5, 0, request), unit(cam.U - cam.R)));
  }
  // 360°: the rim looks straight down (just inside it, ρ = 1 − 1e−14, since
  // its points may round to ρ > 1).
  const VrSample full = sample(c, stereo(), dome(360), 2, 2);
  const double rim = 1 - 1e-14;
  for (double a = 0; a < 2 * kPi; a += 0.5) {
    EXPECT_TRUE(near(look(full, c, rim * std::sin(a), rim * std::cos(a)), -1.0 * cam.U)) << a;
  }
  // Tilted 90°: a forward-looking fisheye.
  const VrSample forward = sample(c, stereo(), dome(180, 90), 2, 2);
  EXPECT_TRUE(near(look(forward, c, 0, 0), cam.F));
  EXPECT_TRUE(near(look(forward, c, 0, -1), -1.0 * cam.U));
  EXPECT_TRUE(near(look(forward, c, 0, 1), cam.U));
  EXPECT_TRUE(near(look(forward, c, 1, 0), cam.R));
}

TEST_F(VrRays, DomeAngleFromTheAxisGrowsEvenlyToHalfTheFieldOfView) {
  const double tau = degrees(30), fov = degrees(150);
  const VrSample s = sample(VrCamera::Dome, stereo(), dome(150, 30), 2, 4);
  const Vec3 axis = std::cos(tau) * cam.U + std::sin(tau) * cam.F;
  for (double x = -0.95; x < 1; x += 0.1) {
    for (double y = -0.95; y < 1; y += 0.1) {
      const double rho = std::hypot(x, y);
      if (rho > 1) continue;
      const Vec3 d = look(s, VrCamera::Dome, x, y);
      EXPECT_NEAR(std::acos(std::min(1.0, dot(d, axis))), rho * fov / 2, 1e-7);
      // Right of the image turns toward `right`, across the axis' plane.
      EXPECT_EQ(dot(d, cam.R) > 0, x > 0) << x << ", " << y;
    }
  }
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
          double fx = kNaN, fy = kNaN;
          ASSERT_TRUE(skyrind::vrFilmPosition(s, c.camera, request, left ? Eye::Left : Eye::Right,
                                              5.0 * r.facing, fx, fy))
              << X << ", " << Y;
          EXPECT_NEAR(fx, x, kTol * c.W) << X << ", " << Y;
          EXPECT_NEAR(fy, y, kTol * c.H) << X << ", " << Y;
          // A one-eye frame does not show the other eye.
          const Eye other = left ? Eye::Right : Eye::Left;
          EXPECT_EQ(skyrind::vrFilmPosition(s, c.camera, request, other, r.facing, fx, fy),
                    c.camera == VrCamera::Dome || both);
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
  auto shown = [&](const VrSample &s, VrCamera camera, const Vec3 &v) {
    return skyrind::vrFilmPosition(s, camera, EyeRequest::Centre, Eye::Left, v, x, y);
  };
  const VrSample vr180 = sample(VrCamera::VR180, stereo(), dome(), 2, 1);
  EXPECT_FALSE(shown(vr180, VrCamera::VR180, toward(kPi / 2 + 1e-9, 0.2)));
  EXPECT_FALSE(shown(vr180, VrCamera::VR180, -1.0 * cam.F));
  const VrSample d = sample(VrCamera::Dome, stereo(), dome(150, 20), 2, 2);
  const Vec3 axis = std::cos(degrees(20)) * cam.U + std::sin(degrees(20)) * cam.F;
  EXPECT_FALSE(shown(d, VrCamera::Dome, turned(axis, cam.R, degrees(75.001))));
  for (const Vec3 &v : {Vec3{0, 0, 0}, Vec3{kNaN, 0, 1}, Vec3{kInf, 0, 0}}) {
    EXPECT_FALSE(shown(d, VrCamera::Dome, v));
  }
  EXPECT_EQ(x, 7);
  EXPECT_EQ(y, 7);
  // The rim itself is on the film: one radius from the centre.
  ASSERT_TRUE(shown(d, VrCamera::Dome, turned(axis, cam.R, degrees(74.999))));
  EXPECT_NEAR(std::hypot(x, y), 74.999 / 75, 1e-12);
}

TEST_F(VrRays, RaysAreUnitAndFiniteForAnySettingsAndNoneForNonFiniteInput) {
  const double big = std::numeric_limits<double>::max();
  const double tiny = std::numeric_limits<double>::denorm_min();
  const StereoSettings settings[] = {
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
            // The stereo cameras have a ray everywhere on the film.
            if (!skyrind::traceVrRay(s, camera, 2 * X, 2 * Y, request, r)) {
              EXPECT_EQ(camera, VrCamera::Dome);
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
  // Film positions that are not finite, or a film of no size, give no ray.
  for (VrCamera camera : {VrCamera::Stereo360, VrCamera::VR180, VrCamera::Dome}) {
    const VrSample s = sample(camera, stereo(), dome(), 2, 2);
    for (double bad : {kNaN, kInf, -kInf}) {
      expectNone(s, camera, bad, 0);
      expectNone(s, camera, 0, bad, EyeRequest::Left);
    }
    expectNone(sample(camera, stereo(), dome(), 0, 0), camera, 0, 0);
  }
}

}  // namespace
}  // namespace skyrind_test
