// Create, copy, destroy and describe as the host drives them, with the exact
// host calls each one makes.
#include <string>
#include <vector>

#include "camera_fixture.h"

namespace skyrind_test {
namespace {

using refhost::Call;

const char *const kChannelNames[] = {"HFOV", "VFOV", "HShift", "VShift"};
const int kValueTypes[] = {VPARM_ANGLE, VPARM_ANGLE, VPARM_PERCENT, VPARM_PERCENT};

class InstanceLifecycle : public CameraFixture {
 protected:
  static std::vector<void *> handles(void *instance) {
    auto &c = fields(instance);
    return {c.hFovParm, c.vFovParm, c.hShiftParm, c.vShiftParm};
  }
};

TEST_F(InstanceLifecycle, CreateTakesTheChannelGroupThenSetsUpEachParameterInOrder) {
  host.log().clear();
  void *instance = create();
  auto &c = fields(instance);
  const std::vector<Call> calls = host.log().calls();
  ASSERT_EQ(calls.size(), 13u);
  EXPECT_EQ(calls[0].name(), "LW Item Info 4.chanGroup");
  EXPECT_EQ(calls[0].pointers.at(0), camera.handle());
  EXPECT_EQ(c.channelGroup, camera.channelGroup());
  const double *starts[] = {&c.hFov, &c.vFov, &c.hShift, &c.vShift};
  for (int p = 0; p < 4; ++p) {
    SCOPED_TRACE(kChannelNames[p]);
    const Call &made = calls[1 + 3 * p], &setup = calls[2 + 3 * p], &set = calls[3 + 3 * p];
    EXPECT_EQ(made.line(), "LWVParmFuncs 2.create(" + std::to_string(kValueTypes[p]) + ", -1) -> " +
                               refhost::printPointer(handles(instance)[p]));
    EXPECT_EQ(setup.name(), "LWVParmFuncs 2.setup");
    EXPECT_EQ(setup.args, (std::vector<std::string>{made.result, kChannelNames[p],
                                                    refhost::printPointer(camera.channelGroup()),
                                                    "null", "null", "null", "null"}));
    EXPECT_EQ(set.name(), "LWVParmFuncs 2.setVal");
    EXPECT_EQ(set.pointers, (std::vector<const void *>{made.returnedPointer, starts[p]}));
  }
  EXPECT_EQ(channel(instance, "HFOV").valueAt(0), kPi + kPi);
  EXPECT_EQ(channel(instance, "VFOV").valueAt(0), kPi);
  EXPECT_EQ(channel(instance, "VShift").valueAt(0), 0.0);
}

TEST_F(InstanceLifecycle, DefaultsAndDescription) {
  void *instance = create();
  auto &c = fields(instance);
  EXPECT_EQ(c.hFov, kPi + kPi);
  EXPECT_EQ(c.vFov, kPi);
  EXPECT_EQ(c.hShift, 0.0);
  EXPECT_EQ(c.vShift, 0.0);
  EXPECT_EQ(c.hPerspective | c.vPerspective | c.verticalPanorama | c.autoHFov | c.autoVFov, 0);
  EXPECT_EQ(c.cameraItem, camera.handle());
  EXPECT_EQ(c.samples, nullptr);
  EXPECT_EQ(handler.describe(instance), "Skyrind");
  // Evaluated before any key is set, the parameters give the same defaults.
  ASSERT_EQ(newFrame(instance, frameInfo(0)), std::nullopt);
  EXPECT_EQ(c.hFov, kPi + kPi);
  EXPECT_EQ(c.vFov, kPi);
  EXPECT_EQ(c.hShift + c.vShift, 0.0);
}

TEST_F(InstanceLifecycle, CopyCopiesTheChannelsAndTheFiveSwitchesOnly) {
  refhost::Item &other = host.addCamera("Other");
  void *from = create();
  void *to = create(&other);
  channel(from, "HFOV").curve().setKey(0.5, 1.25);
  ASSERT_EQ(newFrame(to, frameInfo(1), 0.05, 0.03, &other), std::nullopt);
  auto &src = fields(from), &dst = fields(to);
  src.hPerspective = 1, src.vPerspective = 2, src.verticalPanorama = 3;
  src.autoHFov = 4, src.autoVFov = 5;
  src.hFov = 0.5, src.vShift = 0.25, src.filmWidth = 9;
  const skyrind::CameraInstance before = dst;

  host.log().clear();
  EXPECT_EQ(handler.copy(to, from), std::nullopt);
  const std::vector<Call> calls = host.log().calls();
  ASSERT_EQ(calls.size(), 4u);
  for (int p = 0; p < 4; ++p) {
    EXPECT_EQ(calls[p].name(), "LWVParmFuncs 2.copy");
    EXPECT_EQ(calls[p].pointers, (std::vector<const void *>{handles(to)[p], handles(from)[p]}));
  }
  EXPECT_EQ(channel(to, "HFOV").valueAt(0.5), 1.25);
  EXPECT_EQ(dst.hPerspective, 1);
  EXPECT_EQ(dst.vPerspective, 2);
  EXPECT_EQ(dst.verticalPanorama, 3);
  EXPECT_EQ(dst.autoHFov, 4);
  EXPECT_EQ(dst.autoVFov, 5);
  EXPECT_EQ(dst.hFov, before.hFov);
  EXPECT_EQ(dst.vShift, before.vShift);
  EXPECT_EQ(dst.filmWidth, 0.05);
  EXPECT_EQ(dst.filmHeight, 0.03);
  EXPECT_EQ(dst.samples, before.samples);
  EXPECT_EQ(dst.sampleCount, 4u);
  EXPECT_EQ(dst.frameStart, before.frameStart);
  EXPECT_EQ(dst.cameraItem, other.handle());
}

TEST_F(InstanceLifecycle, DestroyReleasesTheFourParametersInOrder) {
  void *instance = create();
  ASSERT_EQ(newFrame(instance, frameInfo(2)), std::nullopt);
  const std::vector<void *> made = handles(instance);
  host.log().clear();
  destroy(instance);
  const std::vector<Call> calls = host.log().calls();
  ASSERT_EQ(calls.size(), 4u);
  for (int p = 0; p < 4; ++p) {
    EXPECT_EQ(calls[p].name(), "LWVParmFuncs 2.destroy");
    EXPECT_EQ(calls[p].pointers.at(0), made[p]);
  }
  EXPECT_EQ(host.channels().size(), 0u);
}

// No parameter operation may reach the host with a null handle.
void expectNoNullHandle(const std::vector<Call> &calls) {
  for (const Call &call : calls) {
    if (call.service != VPARM_FUNCS_NAME || call.op == "create") continue;
    ASSERT_FALSE(call.pointers.empty()) << call.line();
    EXPECT_NE(call.pointers[0], nullptr) << call.line();
    if (call.op != "copy") continue;
    EXPECT_NE(call.pointers.at(1), nullptr) << call.line();
  }
}

TEST_F(InstanceLifecycle, AParameterTheHostFailsToCreateIsNeverPassedOnAndItsValueStandsIn) {
  host.faults().failParameterCreate(2);  // "VFOV"
  void *broken = create();
  auto &c = fields(broken);
  EXPECT_EQ(c.vFovParm, nullptr);
  EXPECT_NE(c.hFovParm, nullptr);
  EXPECT_EQ(c.vFov, kPi);
  EXPECT_EQ(host.channels().find(camera.channelGroup(), "VFOV"), nullptr);

  void *whole = create();
  c.vFov = 1.0;  // as the panel would set it
  ASSERT_EQ(newFrame(broken, frameInfo(1)), std::nullopt);
  EXPECT_EQ(c.vFov, 1.0);
  EXPECT_EQ(sample(broken, 4).angleScaleY, 1.0 / kFilmHeight);
  EXPECT_EQ(handler.copy(whole, broken), std::nullopt);
  EXPECT_EQ(handler.copy(broken, whole), std::nullopt);
  EXPECT_EQ(handler.save(broken, refhost::StateEncoding::Binary).error, std::nullopt);
  destroy(broken);
  expectNoNullHandle(host.log().calls());

  host.log().clear();
  host.faults().failEveryParameterCreate();
  void *bare = create();
  ASSERT_EQ(newFrame(bare, frameInfo(0)), std::nullopt);
  EXPECT_EQ(sample(bare, 0).angleScaleX, (kPi + kPi) / kFilmWidth);
  EXPECT_EQ(handler.copy(whole, bare), std::nullopt);
  destroy(bare);
  expectNoNullHandle(host.log().calls());
}

}  // namespace
}  // namespace skyrind_test
