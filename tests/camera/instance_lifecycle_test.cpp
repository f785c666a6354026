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
    return {c.parameters.hFov, c.parameters.vFov, c.parameters.hShift, c.parameters.vShift};
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
  const double *starts[] = {&c.settings.hFov, &c.settings.vFov, &c.settings.hShift,
                            &c.settings.vShift};
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
  EXPECT_EQ(c.settings.hFov, kPi + kPi);
  EXPECT_EQ(c.settings.vFov, kPi);
  EXPECT_EQ(c.settings.hShift, 0.0);
  EXPECT_EQ(c.settings.vShift, 0.0);
  EXPECT_EQ(c.settings.switches.hPerspective | c.settings.switches.vPerspective |
                c.settings.switches.verticalPanorama | c.settings.switches.autoHFov |
                c.settings.switches.autoVFov,
            0);
  EXPECT_EQ(c.cameraItem, camera.handle());
  EXPECT_EQ(c.samples, nullptr);
  EXPECT_EQ(handler.describe(instance), "Skyrind");
  // Evaluated before any key is set, the parameters give the same defaults.
  ASSERT_EQ(newFrame(instance, frameInfo(0)), std::nullopt);
  EXPECT_EQ(c.settings.hFov, kPi + kPi);
  EXPECT_EQ(c.settings.vFov, kPi);
  EXPECT_EQ(c.settings.hShift + c.settings.vShift, 0.0);
}

TEST_F(InstanceLifecycle, CopyCopiesTheChannelsAndTheFiveSwitchesOnly) {
  refhost::Item &other = host.addCamera("Other");
  void *from = create();
  void *to = create(&other);
  channel(from, "HFOV").curve().setKey(0.5, 1.25);
  ASSERT_EQ(newFrame(to, frameInfo(1), 0.05, 0.03, &other), std::nullopt);
  auto &src = fields(from), &dst = fields(to);
  src.settings.switches.hPerspective = 1, src.settings.switches.vPerspective = 2,
  src.settings.switches.verticalPanorama = 3;
  src.settings.switches.autoHFov = 4, src.settings.switches.autoVFov = 5;
  src.settings.hFov = 0.5, src.settings.vShift = 0.25, src.film.width = 9;
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
  EXPECT_EQ(dst.settings.switches.hPerspective, 1);
  EXPECT_EQ(dst.settings.switches.vPerspective, 2);
  EXPECT_EQ(dst.settings.switches.verticalPanorama, 3);
  EXPECT_EQ(dst.settings.switches.autoHFov, 4);
  EXPECT_EQ(dst.settings.switches.autoVFov, 5);
  EXPECT_EQ(dst.settings.hFov, before.settings.hFov);
  EXPECT_EQ(dst.settings.vShift, before.settings.vShift);
  EXPECT_EQ(dst.film.width, 0.05);
  EXPECT_EQ(dst.film.height, 0.03);
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
  EXPECT_EQ(c.parameters.vFov, nullptr);
  EXPECT_NE(c.parameters.hFov, nullptr);
  EXPECT_EQ(c.settings.vFov, kPi);
  EXPECT_EQ(host.channels().find(camera.channelGroup(), "VFOV"), nullptr);

  void *whole = create();
  c.settings.vFov = 1.0;  // as the panel would set it
  ASSERT_EQ(newFrame(broken, frameInfo(1)), std::nullopt);
  EXPECT_EQ(c.settings.vFov, 1.0);
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
