// Create, copy, destroy and describe as the host drives them, with the exact
// host calls each one makes.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "camera_fixture.h"

namespace skyrind_test {
namespace {

using refhost::Call;

const char *const kChannelNames[] = {"HFOV", "VFOV", "HShift", "VShift"};
// The fields of view are plain floats holding radians, the shifts percentages.
const int kValueTypes[] = {VPARM_FLOAT, VPARM_FLOAT, VPARM_PERCENT, VPARM_PERCENT};

class InstanceLifecycle : public CameraFixture {
 protected:
  // The parameter handles as the panel's get gives them.
  std::vector<void *> handles(void *instance) {
    std::vector<void *> out;
    for (const char *name : kChannelNames) out.push_back(parameter(instance, name));
    return out;
  }
  // The rays of the instance's table at a few film positions and times.
  std::vector<double> rays(void *instance) {
    std::vector<double> out;
    for (double x : {-0.01, 0.0, 0.017})
      for (double t : {0.0, 0.4, 1.0}) {
        const CameraRay r = ray(instance, x, 0.005, 0.2, -0.1, t);
        out.insert(out.end(), r.origin, r.origin + 3);
        out.insert(out.end(), r.direction, r.direction + 3);
        out.insert(out.end(), r.facing, r.facing + 3);
      }
    return out;
  }
};

TEST_F(InstanceLifecycle, CreateTakesTheChannelGroupThenSetsUpEachParameterInOrder) {
  host.log().clear();
  void *instance = create();
  const std::vector<Call> calls = host.log().calls();
  ASSERT_EQ(calls.size(), 13u);
  EXPECT_EQ(calls[0].name(), "LW Item Info 4.chanGroup");
  EXPECT_EQ(calls[0].pointers.at(0), camera.handle());
  EXPECT_EQ(calls[0].returnedPointer, camera.channelGroup());
  // Each parameter starts from its own default, handed over by address.
  const double starts[] = {kPi + kPi, kPi, 0, 0};
  std::vector<const void *> startAddresses;
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
    ASSERT_EQ(set.pointers.size(), 2u);
    EXPECT_EQ(set.pointers[0], made.returnedPointer);
    EXPECT_NE(set.pointers[1], nullptr);
    EXPECT_EQ(std::count(startAddresses.begin(), startAddresses.end(), set.pointers[1]), 0);
    startAddresses.push_back(set.pointers[1]);
    EXPECT_EQ(set.reals, std::vector<double>{starts[p]});
    EXPECT_EQ(channel(instance, kChannelNames[p]).group(), camera.channelGroup());
  }
  EXPECT_EQ(channel(instance, "HFOV").valueAt(0), kPi + kPi);
  EXPECT_EQ(channel(instance, "VFOV").valueAt(0), kPi);
  EXPECT_EQ(channel(instance, "VShift").valueAt(0), 0.0);
}

TEST_F(InstanceLifecycle, DefaultsAndDescription) {
  void *instance = create();
  const SavedState defaults{{static_cast<float>(kPi + kPi), static_cast<float>(kPi)}, {}};
  const SavedState created = savedState(instance);
  EXPECT_EQ(created.values, defaults.values);
  EXPECT_EQ(created.flags, defaults.flags);
  // No table before the first new frame: evaluate writes no ray.
  CameraRay none{};
  EXPECT_EQ(handler.evaluate(instance, 0, 0, 0, 0, 0, none), 0);
  EXPECT_EQ(handler.describe(instance), "Skyrind");
  // Evaluated before any key is set, the parameters give the same defaults.
  ASSERT_EQ(newFrame(instance, frameInfo(0)), std::nullopt);
  EXPECT_EQ(savedState(instance).values, defaults.values);
}

TEST_F(InstanceLifecycle, CopyCopiesTheChannelsAndTheFiveSwitchesOnly) {
  refhost::Item &other = host.addCamera("Other");
  void *from = create();
  void *to = create(&other);
  channel(from, "HFOV").curve().setKey(0.5, 1.25);
  ASSERT_EQ(newFrame(to, frameInfo(1), 0.05, 0.03, &other), std::nullopt);
  // The source's switches from a scene (both automatic ones on), its values
  // through the panel, and a table on another film.
  loadState(from, {{}, {1, 2, 3, 4, 5}});
  double half = 0.5, quarter = 0.25;
  ASSERT_EQ(session.panel().setter()(from, skyrind::kHorizontalFov, &half), 1);
  ASSERT_EQ(session.panel().setter()(from, skyrind::kVerticalShift, &quarter), 1);
  ASSERT_EQ(newFrame(from, frameInfo(3), 9, 9), std::nullopt);
  const SavedState before = savedState(to);
  const std::vector<double> raysBefore = rays(to);

  host.log().clear();
  EXPECT_EQ(handler.copy(to, from), std::nullopt);
  const std::vector<Call> calls = host.log().calls();
  ASSERT_EQ(calls.size(), 4u);
  for (int p = 0; p < 4; ++p) {
    EXPECT_EQ(calls[p].name(), "LWVParmFuncs 2.copy");
    EXPECT_EQ(calls[p].pointers, (std::vector<const void *>{handles(to)[p], handles(from)[p]}));
  }
  EXPECT_EQ(channel(to, "HFOV").valueAt(0.5), 1.25);
  const SavedState after = savedState(to);
  EXPECT_EQ(after.flags, (std::array<int16_t, 8>{1, 2, 3, 4, 5}));
  // The values, film, table and item stay the destination's own: its saved
  // values and the rays of its frame are those from before.
  EXPECT_EQ(after.values, before.values);
  EXPECT_EQ(rays(to), raysBefore);
}

TEST_F(InstanceLifecycle, DestroyReleasesTheFourParametersInOrder) {
  void *instance = create();
  ASSERT_EQ(newFrame(instance, frameInfo(2)), std::nullopt);
  const std::vector<void *> made = handles(instance);
  const std::size_t channelsBefore = host.channels().size() - 4;
  host.log().clear();
  destroy(instance);
  const std::vector<Call> calls = host.log().calls();
  ASSERT_EQ(calls.size(), 4u);
  for (int p = 0; p < 4; ++p) {
    EXPECT_EQ(calls[p].name(), "LWVParmFuncs 2.destroy");
    EXPECT_EQ(calls[p].pointers.at(0), made[p]);
  }
  EXPECT_EQ(host.channels().size(), channelsBefore);
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
  refhost::Item &item = host.addCamera("Broken");
  host.faults().failParameterCreate(2);  // "VFOV"
  void *broken = create(&item);
  EXPECT_EQ(parameter(broken, "VFOV"), nullptr);
  EXPECT_NE(parameter(broken, "HFOV"), nullptr);
  EXPECT_EQ(savedState(broken).values[1], static_cast<float>(kPi));
  EXPECT_EQ(host.channels().find(item.channelGroup(), "VFOV"), nullptr);

  void *whole = create();
  double vFov = 1.0;
  ASSERT_EQ(session.panel().setter()(broken, skyrind::kVerticalFov, &vFov), 1);
  ASSERT_EQ(newFrame(broken, frameInfo(1), kFilmWidth, kFilmHeight, &item), std::nullopt);
  EXPECT_EQ(savedState(broken).values[1], 1.0f);
  // The top of the film looks half the panel's 1 radian above the centre.
  EXPECT_NEAR(angleBetween(ray(broken, 0, kFilmHeight / 2, 0, 0, 1).direction,
                           ray(broken, 0, 0, 0, 0, 1).direction),
              0.5, 1e-12);
  EXPECT_EQ(handler.copy(whole, broken), std::nullopt);
  EXPECT_EQ(handler.copy(broken, whole), std::nullopt);
  EXPECT_EQ(handler.save(broken, refhost::StateEncoding::Binary).error, std::nullopt);
  destroy(broken);
  expectNoNullHandle(host.log().calls());

  host.log().clear();
  host.faults().failEveryParameterCreate();
  void *bare = create();
  ASSERT_EQ(newFrame(bare, frameInfo(0)), std::nullopt);
  // The default full turn across the film: a quarter of the film is a quarter turn.
  EXPECT_NEAR(angleBetween(ray(bare, kFilmWidth / 4, 0).direction, ray(bare, 0, 0).direction),
              kPi / 2, 1e-12);
  EXPECT_EQ(handler.copy(whole, bare), std::nullopt);
  destroy(bare);
  expectNoNullHandle(host.log().calls());
}

}  // namespace
}  // namespace skyrind_test
