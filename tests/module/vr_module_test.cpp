// skyrind-vr.p as the host meets it: its six servers, the eye each camera
// answers, its saved block and what out-of-range values become.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "panel/vr_control_ids.h"
#include "refhost/bindings/camera_session.h"

namespace skyrind_test {
namespace {

using refhost::CameraSession;

constexpr double kFilmWidth = 0.036;

struct VrCamera {
  const char *server;
  const char *userName;
  double filmHeight;  // the camera's default frame
};

constexpr VrCamera kStereo360{"SkyrindStereo360", "Skyrind Stereo 360", 0.036};
constexpr VrCamera kVR180{"SkyrindVR180", "Skyrind VR180", 0.018};
constexpr VrCamera kDome{"SkyrindDome", "Skyrind Dome", 0.036};

CameraSession session(const VrCamera &camera) {
  return CameraSession(SKYRIND_VR_PLUGIN_PATH, refhost::CallLogging::Off,
                       refhost::HostProfile::fromEnvironment(), camera.server);
}

void newFrame(CameraSession &s, const VrCamera &camera) {
  s.camera().keyPosition(0.0, {1, 2, 3});
  s.camera().keyRotation(0.0, {0.3, -0.2, 0.1});
  s.newFrame({0, 0.0, 0.04, 25.0, 1}, kFilmWidth, camera.filmHeight);
}

// The rays at a few film positions, as bits; an empty ray where none.
std::vector<double> rays(CameraSession &s, const VrCamera &camera, int eye, int *result) {
  std::vector<double> out;
  for (double x : {-0.49, -0.2, 0.0, 0.3}) {
    for (double y : {-0.45, -0.1, 0.2, 0.4}) {
      CameraRay ray{};
      *result |= s.handler().evaluate(s.instance(), x * kFilmWidth, y * camera.filmHeight, 0, 0,
                                      0.5, ray, eye);
      out.insert(out.end(), ray.origin, ray.origin + 9);
    }
  }
  return out;
}

bool sameBits(const std::vector<double> &a, const std::vector<double> &b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

TEST(VrModule, SixServersEachWithItsUserName) {
  refhost::Module module(SKYRIND_VR_PLUGIN_PATH);
  const std::vector<refhost::ServerInfo> &servers = module.servers();
  ASSERT_EQ(servers.size(), 6u);
  const VrCamera *cameras[] = {&kStereo360, &kVR180, &kDome};
  for (std::size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(servers[i].className, i % 2 ? CAMERA_INTERFACE_CLASS : CAMERA_HANDLER_CLASS);
    EXPECT_EQ(servers[i].name, cameras[i / 2]->server);
    ASSERT_EQ(servers[i].tags.size(), 1u);
    EXPECT_EQ(servers[i].tags[0].text, cameras[i / 2]->userName);
    EXPECT_EQ(servers[i].tags[0].tag, 0x0409u);
  }
}

// A host that renders its own stereo pair asks for eye 1 or 2: the stereo
// cameras answer that eye over the whole frame, as a ray already the eye's;
// the dome, a mono camera, answers the centre ray.
TEST(VrModule, EachCameraAnswersTheEyeTheHostAsksFor) {
  for (const VrCamera *camera : {&kStereo360, &kVR180, &kDome}) {
    SCOPED_TRACE(camera->server);
    CameraSession s = session(*camera);
    newFrame(s, *camera);
    int centreResult = 0;
    const std::vector<double> centre = rays(s, *camera, CAMERA_EYE_CENTRE, &centreResult);
    EXPECT_EQ(centreResult, 1);
    EXPECT_EQ(s.handler().flags(s.instance()), CAMERA_NO_PROJECTION);
    if (!s.handler().passesEye()) continue;
    for (int eye : {CAMERA_EYE_LEFT, CAMERA_EYE_RIGHT}) {
      int result = 0;
      const std::vector<double> asked = rays(s, *camera, eye, &result);
      if (camera == &kDome) {
        EXPECT_EQ(result, 1);
        EXPECT_TRUE(sameBits(asked, centre));
        continue;
      }
      EXPECT_EQ(result, 9) << eye;
      // The same as a one-eye frame of that eye.
      s.edit(skyrind::kEyes, eye);
      newFrame(s, *camera);
      int oneEyeResult = 0;
      EXPECT_TRUE(sameBits(asked, rays(s, *camera, CAMERA_EYE_CENTRE, &oneEyeResult)));
      s.edit(skyrind::kEyes, 0);
      newFrame(s, *camera);
    }
    EXPECT_EQ(s.handler().rayRecordOverwrites(), 0u);
  }
}

TEST(VrModule, TheSavedBlockComesBackAndANewerLayoutIsRefused) {
  std::string saved;
  {
    CameraSession s = session(kVR180);
    s.edit(skyrind::kEyeSeparation, 0.1);
    s.edit(skyrind::kEyes, 2);
    s.edit(skyrind::kParallelCameras, 1);
    saved = s.savePluginData();
  }
  CameraSession s = session(kVR180);
  s.loadPluginData(saved);
  EXPECT_EQ(s.panel().read(skyrind::kEyeSeparation), double(0.1f));  // kept as a float
  EXPECT_EQ(s.panel().read(skyrind::kEyes), 2.0);
  EXPECT_EQ(s.panel().read(skyrind::kParallelCameras), 1.0);
  EXPECT_EQ(s.handler().describe(s.instance()), "VR180, 10 cm, parallel cameras");

  // The block's last line is its layout word, Eyes, Parallel Cameras, 0.
  const std::size_t last = saved.rfind("1 2 1 0");
  ASSERT_NE(last, std::string::npos) << saved;
  std::string newer = saved;
  newer[last] = '2';
  CameraSession fresh = session(kVR180);
  try {
    fresh.loadPluginData(newer);
    ADD_FAILURE() << "a newer layout was taken";
  } catch (const refhost::SessionError &e) {
    EXPECT_NE(e.reason().find("skyrind-vr.p"), std::string::npos) << e.what();
  }
  EXPECT_EQ(fresh.panel().read(skyrind::kEyes), 0.0);
}

// Values outside their range are brought into it when a frame reads them:
// a negative separation counts as none, a dome wider than a full turn as
// a full turn; no ray is ever not finite.
TEST(VrModule, ValuesOutsideTheirRangeAreTheNearestUsableOnes) {
  const auto raysWith = [](const VrCamera &camera, const std::string &channel, double value) {
    CameraSession s = session(camera);
    s.channel(channel).curve().setStaticValue(value);
    newFrame(s, camera);
    int result = 0;
    return rays(s, camera, CAMERA_EYE_CENTRE, &result);
  };
  EXPECT_TRUE(sameBits(raysWith(kStereo360, "EyeSeparation", -2),
                       raysWith(kStereo360, "EyeSeparation", 0)));
  EXPECT_TRUE(
      sameBits(raysWith(kDome, "DomeFOV", 9), raysWith(kDome, "DomeFOV", 2 * std::numbers::pi)));
  for (double odd : {std::nan(""), HUGE_VAL, -1e308})
    for (double v : raysWith(kStereo360, "Convergence", odd)) EXPECT_TRUE(std::isfinite(v));
}

}  // namespace
}  // namespace skyrind_test
