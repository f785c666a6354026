// The VR cameras' defaults, and what each value outside its range counts as
// when a frame uses it.
#include <gtest/gtest.h>

#include <limits>

#include "camera/vr_projection.h"
#include "camera/vr_sample.h"
#include "camera/vr_settings.h"
#include "vr_geometry.h"

namespace skyrind_test {
namespace {

using skyrind::DomeSettings;
using skyrind::StereoSettings;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

void expectSame(const StereoSettings &a, const StereoSettings &b) {
  EXPECT_EQ(a.eyeSeparation, b.eyeSeparation);
  EXPECT_EQ(a.convergence, b.convergence);
  EXPECT_EQ(a.poleMergeFrom, b.poleMergeFrom);
  EXPECT_EQ(a.poleMergeTo, b.poleMergeTo);
  EXPECT_EQ(a.eyes, b.eyes);
  EXPECT_EQ(a.parallelCameras, b.parallelCameras);
}

void expectSame(const DomeSettings &a, const DomeSettings &b) {
  EXPECT_EQ(a.fieldOfView, b.fieldOfView);
  EXPECT_EQ(a.tilt, b.tilt);
}

StereoSettings usable(const StereoSettings &s) {
  return skyrind::usableStereo(s, kPi);
}
DomeSettings usable(const DomeSettings &d) {
  return skyrind::usableDome(d, kPi);
}

TEST(VrSettings, DefaultsAreAnAdultsEyesMergingFrom60To75DegreesAndAHalfSphereDome) {
  const StereoSettings s = skyrind::defaultStereoSettings(kPi);
  expectSame(s, {0.065, 0, s.poleMergeFrom, s.poleMergeTo, 0, 0});
  EXPECT_NEAR(s.poleMergeFrom, degrees(60), 1e-15);
  EXPECT_NEAR(s.poleMergeTo, degrees(75), 1e-15);
  expectSame(skyrind::defaultDomeSettings(kPi), {kPi, 0});
}

TEST(VrSettings, StereoValuesOutsideTheirRangeCountAsTheNearestInRangeOrTheDefault) {
  const StereoSettings d = skyrind::defaultStereoSettings(kPi);
  const double h = kPi / 2;
  // In range: kept. Below, above; parallel cameras on for any non-zero.
  expectSame(usable({0.2, 3.5, 0.1, 1.5, 2, 0}), {0.2, 3.5, 0.1, 1.5, 2, 0});
  expectSame(usable({-0.1, -2, -0.5, -1e300, -1, 1}), {0, 0, 0, 0, 0, 1});
  expectSame(usable({1e300, 1e300, 2.0, 1e300, 3, -7}), {1e300, 1e300, h, h, 0, 1});
  EXPECT_FALSE(std::signbit(usable({-0.0, -0.0, 0, 0, 0, 0}).eyeSeparation));
  EXPECT_FALSE(std::signbit(usable({-0.0, -0.0, 0, 0, 0, 0}).convergence));
  // Not finite: the default, whichever way.
  for (double bad : {kNaN, kInf, -kInf}) {
    expectSame(usable({bad, bad, bad, bad, 1, 0}),
               {d.eyeSeparation, d.convergence, d.poleMergeFrom, d.poleMergeTo, 1, 0});
  }
}

TEST(VrSettings, DomeFieldOfViewRunsFrom1To360DegreesAndTiltFromMinus90To90) {
  expectSame(usable(DomeSettings{2.0, 0.5}), {2.0, 0.5});
  expectSame(usable(DomeSettings{degrees(0.5), -2}), {kPi / 180, -kPi / 2});
  expectSame(usable(DomeSettings{-1, 2}), {kPi / 180, kPi / 2});
  expectSame(usable(DomeSettings{degrees(400), 2}), {2 * kPi, kPi / 2});
  for (double bad : {kNaN, kInf, -kInf}) expectSame(usable(DomeSettings{bad, bad}), {kPi, 0});
}

// The sample brings the settings into range itself, so rays never see what
// was typed.
TEST(VrSettings, SamplesUseTheUsableValues) {
  using skyrind::EyeRequest;
  using skyrind::VrCamera;
  const TestCamera cam = testCamera();
  skyrind::Ray ray;
  StereoSettings negative = skyrind::defaultStereoSettings(kPi);
  negative.eyeSeparation = -1;
  negative.eyes = 9;
  const skyrind::VrSample s =
      skyrind::deriveVrSample(VrCamera::Stereo360, negative, {kNaN, kNaN}, cam.pose, {2, 2}, kPi);
  // Eyes 9 counts as both: the top half is the left eye, at P itself.
  ASSERT_TRUE(skyrind::traceVrRay(s, VrCamera::Stereo360, 0, 0.5, EyeRequest::Centre, ray));
  EXPECT_TRUE(near(ray.origin, cam.P, 0));
  EXPECT_TRUE(near(ray.direction, cam.F));

  // A 720° dome tilted −120° is a 360° one tilted −90°: its axis looks
  // back, its rim ahead.
  const skyrind::VrSample d = skyrind::deriveVrSample(
      VrCamera::Dome, negative, {degrees(720), degrees(-120)}, cam.pose, {2, 2}, kPi);
  ASSERT_TRUE(skyrind::traceVrRay(d, VrCamera::Dome, 0, 0, EyeRequest::Centre, ray));
  EXPECT_TRUE(near(ray.direction, -1.0 * cam.F));
  ASSERT_TRUE(skyrind::traceVrRay(d, VrCamera::Dome, 0, 1 - 1e-14, EyeRequest::Centre, ray));
  EXPECT_TRUE(near(ray.direction, cam.F));
}

}  // namespace
}  // namespace skyrind_test
