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

TEST(VrSettings, DefaultsAreAnAdultsEyesMergingFrom60To75DegreesAndAHalfSphereDome) {
  const StereoSettings s = skyrind::defaultStereoSettings(kPi);
  EXPECT_EQ(s.eyeSeparation, 0.065);
  EXPECT_EQ(s.convergence, 0);
  EXPECT_NEAR(s.poleMergeFrom, degrees(60), 1e-15);
  EXPECT_NEAR(s.poleMergeTo, degrees(75), 1e-15);
  EXPECT_EQ(s.eyes, 0);
  EXPECT_EQ(s.parallelCameras, 0);
  const DomeSettings d = skyrind::defaultDomeSettings(kPi);
  EXPECT_EQ(d.fieldOfView, kPi);
  EXPECT_EQ(d.tilt, 0);
}

TEST(VrSettings, StereoValuesOutsideTheirRangeCountAsTheNearestInRangeOrTheDefault) {
  const StereoSettings defaults = skyrind::defaultStereoSettings(kPi);
  auto usable = [](StereoSettings s) { return skyrind::usableStereo(s, kPi); };
  // In range: kept as they are.
  const StereoSettings kept = usable({0.2, 3.5, 0.1, 1.5, 2, 0});
  EXPECT_EQ(kept.eyeSeparation, 0.2);
  EXPECT_EQ(kept.convergence, 3.5);
  EXPECT_EQ(kept.poleMergeFrom, 0.1);
  EXPECT_EQ(kept.poleMergeTo, 1.5);
  EXPECT_EQ(kept.eyes, 2);
  EXPECT_EQ(kept.parallelCameras, 0);
  // Below and above.
  const StereoSettings low = usable({-0.1, -2, -0.5, -1e300, -1, 1});
  EXPECT_EQ(low.eyeSeparation, 0);
  EXPECT_EQ(low.convergence, 0);
  EXPECT_EQ(low.poleMergeFrom, 0);
  EXPECT_EQ(low.poleMergeTo, 0);
  EXPECT_EQ(low.eyes, 0);
  EXPECT_EQ(low.parallelCameras, 1);
  const StereoSettings high = usable({1e300, 1e300, 2.0, 1e300, 3, -7});
  EXPECT_EQ(high.eyeSeparation, 1e300);
  EXPECT_EQ(high.convergence, 1e300);
  EXPECT_EQ(high.poleMergeFrom, kPi / 2);
  EXPECT_EQ(high.poleMergeTo, kPi / 2);
  EXPECT_EQ(high.eyes, 0);
  EXPECT_EQ(high.parallelCameras, 1);
  EXPECT_FALSE(std::signbit(usable({-0.0, -0.0, -0.0, 1, 0, 0}).eyeSeparation));
  // Not finite: the default, whichever way.
  for (double bad : {kNaN, kInf, -kInf}) {
    const StereoSettings d = usable({bad, bad, bad, bad, 1, 0});
    EXPECT_EQ(d.eyeSeparation, defaults.eyeSeparation) << bad;
    EXPECT_EQ(d.convergence, defaults.convergence) << bad;
    EXPECT_EQ(d.poleMergeFrom, defaults.poleMergeFrom) << bad;
    EXPECT_EQ(d.poleMergeTo, defaults.poleMergeTo) << bad;
    EXPECT_EQ(d.eyes, 1);
  }
}

TEST(VrSettings, DomeFieldOfViewRunsFrom1To360DegreesAndTiltFromMinus90To90) {
  auto usable = [](DomeSettings d) { return skyrind::usableDome(d, kPi); };
  EXPECT_EQ(usable({2.0, 0.5}).fieldOfView, 2.0);
  EXPECT_EQ(usable({2.0, 0.5}).tilt, 0.5);
  EXPECT_EQ(usable({degrees(0.5), -2}).fieldOfView, kPi / 180);
  EXPECT_EQ(usable({degrees(0.5), -2}).tilt, -kPi / 2);
  EXPECT_EQ(usable({-1, 2}).fieldOfView, kPi / 180);
  EXPECT_EQ(usable({degrees(400), 2}).fieldOfView, 2 * kPi);
  EXPECT_EQ(usable({degrees(400), 2}).tilt, kPi / 2);
  for (double bad : {kNaN, kInf, -kInf}) {
    EXPECT_EQ(usable({bad, bad}).fieldOfView, kPi) << bad;
    EXPECT_EQ(usable({bad, bad}).tilt, 0) << bad;
  }
}

// The sample brings the settings into range itself, so rays never see what
// was typed.
TEST(VrSettings, SamplesUseTheUsableValues) {
  const TestCamera cam = testCamera();
  skyrind::Ray ray;
  StereoSettings negative = skyrind::defaultStereoSettings(kPi);
  negative.eyeSeparation = -1;
  negative.eyes = 9;
  const skyrind::VrSample s = skyrind::deriveVrSample(skyrind::VrCamera::Stereo360, negative,
                                                      {kNaN, kNaN}, cam.pose, {2, 2}, kPi);
  // Eyes 9 counts as both: the top half is the left eye, at P itself.
  ASSERT_TRUE(skyrind::traceVrRay(s, skyrind::VrCamera::Stereo360, 0, 0.5,
                                  skyrind::EyeRequest::Centre, ray));
  EXPECT_VEC_NEAR(ray.origin, cam.P, 0);
  EXPECT_VEC_NEAR(ray.direction, cam.F, 1e-12);

  // Parallel cameras belong to VR180 alone: the stereo 360 eyes still merge.
  StereoSettings parallel = skyrind::defaultStereoSettings(kPi);
  parallel.parallelCameras = 1;
  const skyrind::VrSample p = skyrind::deriveVrSample(skyrind::VrCamera::Stereo360, parallel,
                                                      {kPi, 0}, cam.pose, {2, 2}, kPi);
  ASSERT_TRUE(skyrind::traceVrRay(p, skyrind::VrCamera::Stereo360, 0, 0.99,
                                  skyrind::EyeRequest::Centre, ray));
  EXPECT_VEC_NEAR(ray.origin, cam.P, 1e-12);

  // A 720° dome tilted −120° is a 360° one tilted −90°: its axis looks
  // back, its rim ahead.
  const skyrind::VrSample d = skyrind::deriveVrSample(
      skyrind::VrCamera::Dome, negative, {degrees(720), degrees(-120)}, cam.pose, {2, 2}, kPi);
  ASSERT_TRUE(
      skyrind::traceVrRay(d, skyrind::VrCamera::Dome, 0, 0, skyrind::EyeRequest::Centre, ray));
  EXPECT_VEC_NEAR(ray.direction, -1.0 * cam.F, 1e-12);
  ASSERT_TRUE(skyrind::traceVrRay(d, skyrind::VrCamera::Dome, 0, 1 - 1e-14,
                                  skyrind::EyeRequest::Centre, ray));
  EXPECT_VEC_NEAR(ray.direction, cam.F, 1e-12);
}

}  // namespace
}  // namespace skyrind_test
