// The new-frame callback: sample times, the host calls made per sample, and
// what each sample holds.
#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "camera/frame_sample.h"
#include "camera_fixture.h"
#include "refhost/item_axes.h"

namespace skyrind_test {
namespace {

using refhost::Call;

class FrameSampling : public CameraFixture {
 protected:
  // The times of the new frame's getVal calls on the "HFOV" channel.
  std::vector<double> sampleTimes(void *instance) {
    std::vector<double> times;
    for (const Call &call : host.log().callsOf(VPARM_FUNCS_NAME))
      if (call.op == "getVal" && call.pointers.at(0) == parameter(instance, "HFOV"))
        times.push_back(call.reals.at(0));
    return times;
  }
};

double length(const refhost::Vec3 &v) {
  return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

TEST_F(FrameSampling, OneSampleQueriesTheHostInOrderForTheAccessRecordsCamera) {
  refhost::Item &other = host.addCamera("Other");
  other.setPosition({1, 2, 3});
  void *instance = create();
  host.log().clear();
  ASSERT_EQ(newFrame(instance, frameInfo(0, 0.75, 0.5), kFilmWidth, kFilmHeight, &other),
            std::nullopt);
  const void *handles[] = {parameter(instance, "HFOV"), parameter(instance, "VFOV"),
                           parameter(instance, "HShift"), parameter(instance, "VShift")};
  const std::string item = refhost::printPointer(other.handle());
  auto at = [](const void *handle) { return refhost::printPointer(handle) + ", 0.75, null, "; };
  const std::vector<Call> calls = host.log().calls();
  std::vector<std::string> lines;
  for (const Call &call : calls) lines.push_back(call.line());
  // Each service is asked for by its 9.x name first, then by the newer
  // names until the host's generation answers.
  const std::vector<std::string> cameraInfo =
      host.profile().lookupsUntilFound(refhost::Service::CameraInfo);
  const std::vector<std::string> itemInfo =
      host.profile().lookupsUntilFound(refhost::Service::ItemInfo);
  ASSERT_EQ(lines.size(), 4 + cameraInfo.size() + 2 + itemInfo.size() + 4);
  EXPECT_EQ(lines[0].rfind("LWVParmFuncs 2.getVal(" + at(handles[0]), 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("LWVParmFuncs 2.getVal(" + at(handles[1]), 0), 0u) << lines[1];
  EXPECT_EQ(lines[2].rfind("LWVParmFuncs 2.getVal(" + at(handles[2]), 0), 0u) << lines[2];
  EXPECT_EQ(lines[3].rfind("LWVParmFuncs 2.getVal(" + at(handles[3]), 0), 0u) << lines[3];
  std::size_t next = 4;
  for (const std::string &name : cameraInfo) {
    EXPECT_EQ(calls[next].name() + calls[next].args[0] + calls[next].args[1],
              "global.lookup" + name + "0");
    ++next;
  }
  EXPECT_EQ(lines[next++], "LW Camera Info 5.focalDistance(" + item + ", 0.75) -> 1");
  EXPECT_EQ(lines[next++], "LW Camera Info 5.fStop(" + item + ", 0.75) -> 4");
  for (const std::string &name : itemInfo) {
    EXPECT_EQ(calls[next].name() + calls[next].args[0] + calls[next].args[1],
              "global.lookup" + name + "0");
    ++next;
  }
  const char *codes[] = {"8", "2", "3", "4"};
  for (int k = 0; k < 4; ++k, ++next) {
    EXPECT_EQ(calls[next].name(), "LW Item Info 4.param");
    EXPECT_EQ(calls[next].args.at(0) + calls[next].args.at(1), item + codes[k]);
    EXPECT_EQ(calls[next].reals.at(0), 0.75);
  }
  // One sample, at the frame's start: every time picks it, and a lens at
  // rest starts its rays at the other camera's position.
  EXPECT_EQ(sampleTimes(instance), std::vector<double>{0.75});
  for (double fracTime : {0.0, 0.5, 1.0}) {
    const CameraRay r = ray(instance, 0.004, -0.002, 0, 0, fracTime);
    EXPECT_EQ(r.origin[0], 1.0);
    EXPECT_EQ(r.origin[1], 2.0);
    EXPECT_EQ(r.origin[2], 3.0);
  }
}

TEST_F(FrameSampling, SampleTimesSpreadOverTheExposureQuotientFirst) {
  const double start = 0.1, duration = 0.7;
  camera.keyPosition(0.0, {0, 0, 0});
  camera.keyPosition(1.0, {10, -5, 2});
  for (int steps : {1, 3}) {
    SCOPED_TRACE(steps);
    void *instance = create();
    host.log().clear();
    ASSERT_EQ(newFrame(instance, frameInfo(steps, start, duration)), std::nullopt);
    const unsigned count = 4u * steps;
    // Per sample: four values, the lens's two, the pose's four and the
    // lookups of camera and item information.
    const std::size_t perSample =
        10 + host.profile().lookupsUntilFound(refhost::Service::CameraInfo).size() +
        host.profile().lookupsUntilFound(refhost::Service::ItemInfo).size();
    EXPECT_EQ(host.log().size(), perSample * (count + 1));
    const std::vector<double> times = sampleTimes(instance);
    ASSERT_EQ(times.size(), count + 1);
    for (unsigned k = 0; k <= count; ++k) {
      const double t = start + (duration / count) * k;
      EXPECT_EQ(times[k], t) << k;
      // Entry k serves the times from k / count on; a lens at rest starts there.
      const double fracTime = k == count ? 1.0 : (k + 0.5) / count;
      EXPECT_EQ(ray(instance, 0, 0, 0, 0, fracTime).origin[0], camera.positionAt(t)[0]) << k;
    }
    EXPECT_NEAR(times.back(), start + duration, 1e-15);
  }
}

TEST_F(FrameSampling, AxesAreNormalisedAndTheFocusPointLiesAtTheFocalDistance) {
  camera.setRotation({0.4, -0.3, 0.2});
  camera.setScale({2.0, 0.25, 7.0});
  camera.setPosition({0.1, 0.2, 0.3});
  camera.setFocalDistance(3.5);
  camera.setFStop(0.5);
  void *instance = create();
  ASSERT_EQ(newFrame(instance, frameInfo(0)), std::nullopt);
  // Both axes angular over a full turn and half a turn: the centre faces
  // forward, a quarter of the film width right, half the film height up.
  const refhost::ItemAxes unit = refhost::itemAxes({0.4, -0.3, 0.2}, {1, 1, 1});
  const CameraRay centre = ray(instance, 0, 0);
  const CameraRay towardsRight = ray(instance, kFilmWidth / 4, 0);
  const CameraRay towardsUp = ray(instance, 0, kFilmHeight / 2);
  const double *axes[] = {centre.facing, towardsRight.facing, towardsUp.direction};
  const refhost::Vec3 *expected[] = {&unit.forward, &unit.right, &unit.up};
  for (int a = 0; a < 3; ++a) {
    EXPECT_NEAR(length({axes[a][0], axes[a][1], axes[a][2]}), 1.0, 1e-15);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(axes[a][i], (*expected[a])[i], 1e-15) << a;
  }
  const double position[] = {0.1, 0.2, 0.3};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(centre.origin[i], position[i]);
  // Rays through the lens meet at the focus point, 3.5 along forward.
  for (const auto &[lensX, lensY] : {std::pair{0.8, 0.0}, {0.0, -0.6}, {-0.5, 0.5}}) {
    const CameraRay r = ray(instance, 0, 0, lensX, lensY);
    double toFocus[3];
    for (int i = 0; i < 3; ++i) toFocus[i] = position[i] + 3.5 * unit.forward[i] - r.origin[i];
    EXPECT_NE(r.origin[0], position[0]);
    EXPECT_NEAR(angleBetween(toFocus, r.direction), 0.0, 1e-7);
  }
}

TEST_F(FrameSampling, LensRadiusShiftsAndSwitchesAreFrozenIntoEverySample) {
  void *instance = create();
  void *same = create();
  for (void *i : {instance, same}) {
    channel(i, "HShift").curve().setStaticValue(0.5);
    channel(i, "VShift").curve().setStaticValue(-0.5);
  }
  camera.setFStop(4.0);
  setSwitches(instance, 0, 7, 1);  // a non-zero value other than 1 is kept as it is
  setSwitches(same, 0, 1, 1);
  ASSERT_EQ(newFrame(instance, frameInfo(1), 0.036, 0.024), std::nullopt);
  ASSERT_EQ(newFrame(same, frameInfo(1), 0.036, 0.024), std::nullopt);
  for (unsigned k = 0; k <= 4; ++k) {
    const double fracTime = k == 4 ? 1.0 : (k + 0.5) / 4;
    // The film point the shifts (half the film each way) bring to the centre.
    const double filmX = -0.036 / 2, filmY = 0.024 / 2;
    const CameraRay centre = ray(instance, filmX, filmY, 0, 0, fracTime);
    EXPECT_NEAR(centre.direction[0], 0.0, 1e-15) << k;
    EXPECT_NEAR(centre.direction[1], 0.0, 1e-15) << k;
    EXPECT_NEAR(centre.direction[2], 1.0, 1e-15) << k;
    // The lens radius: Hf / f-stop / 2 = 0.003.
    EXPECT_NEAR(ray(instance, filmX, filmY, 1, 0, fracTime).origin[0], 0.003, 1e-18) << k;
    EXPECT_NEAR(ray(instance, filmX, filmY, 0, 1, fracTime).origin[1], 0.003, 1e-18) << k;
    for (const auto &[x, y] : {std::pair{0.01, 0.004}, {-0.013, -0.008}}) {
      const CameraRay a = ray(instance, x, y, 0.3, -0.2, fracTime);
      const CameraRay b = ray(same, x, y, 0.3, -0.2, fracTime);
      EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << k;
    }
  }
}

TEST_F(FrameSampling, TheInstanceHoldsTheParametersAtTheLastSampleTime) {
  void *instance = create();
  channel(instance, "HFOV").curve().setKey(0.0, 1.0);
  channel(instance, "HFOV").curve().setKey(2.0, 3.0);
  channel(instance, "VShift").curve().setKey(0.0, 0.0);
  channel(instance, "VShift").curve().setKey(2.0, 0.4);
  ASSERT_EQ(newFrame(instance, frameInfo(2, 0.3, 0.9)), std::nullopt);
  const double last = 0.3 + (0.9 / 8) * 8;
  SavedState saved = savedState(instance);
  EXPECT_EQ(saved.values[0], static_cast<float>(channel(instance, "HFOV").valueAt(last)));
  EXPECT_EQ(saved.values[3], static_cast<float>(channel(instance, "VShift").valueAt(last)));
  // The first sample has the field of view at the frame's start: on the
  // film's level row, a quarter of the film width pans a quarter of it.
  const double level = -channel(instance, "VShift").valueAt(0.3) * kFilmHeight;
  EXPECT_NEAR(angleBetween(ray(instance, kFilmWidth / 4, level).direction,
                           ray(instance, 0, level).direction),
              channel(instance, "HFOV").valueAt(0.3) / 4, 1e-12);
  ASSERT_EQ(newFrame(instance, frameInfo(0, 1.0, 0.9)), std::nullopt);
  saved = savedState(instance);
  EXPECT_EQ(saved.values[0], 2.0f);
  EXPECT_EQ(saved.values[3], static_cast<float>(channel(instance, "VShift").valueAt(1.0)));
}

TEST_F(FrameSampling, ANegativeMotionStepCountIsRefusedLikeAFailedAllocation) {
  void *instance = create();
  ASSERT_EQ(newFrame(instance, frameInfo(1)), std::nullopt);
  EXPECT_EQ(newFrame(instance, frameInfo(-1)), "Can't allocate Memory");
  CameraRay untouched{};
  EXPECT_EQ(handler.evaluate(instance, 0, 0, 0, 0, 0.5, untouched), 0);
  // The next frame starts again from scratch.
  ASSERT_EQ(newFrame(instance, frameInfo(1)), std::nullopt);
  EXPECT_EQ(handler.evaluate(instance, 0, 0, 0, 0, 0.5, untouched), 1);
}

TEST_F(FrameSampling, AMissingServiceAtNewFrameIsNamedAndLeavesNoTable) {
  for (refhost::Service service : {refhost::Service::CameraInfo, refhost::Service::ItemInfo}) {
    const std::string &name = host.profile().nameOf(service);
    SCOPED_TRACE(name);
    void *instance = create();
    ASSERT_EQ(newFrame(instance, frameInfo(1)), std::nullopt);
    host.faults().hideService(service);
    const refhost::Message message = newFrame(instance, frameInfo(1));
    host.faults().showService(service);
    ASSERT_TRUE(message.has_value());
    // The message names the service as this host calls it.
    EXPECT_NE(message->find(name), std::string::npos) << *message;
    CameraRay ray{};
    EXPECT_EQ(handler.evaluate(instance, 0, 0, 0, 0, 0, ray), 0);
  }
}

}  // namespace
}  // namespace skyrind_test

namespace skyrind_test {
namespace {

skyrind::Vec3 vec(const refhost::Vec3 &v) {
  return {v[0], v[1], v[2]};
}
double length(const skyrind::Vec3 &v) {
  return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// The derivation itself, on the pose a scaled, turned camera gives.
TEST(DeriveSample, AxesAreNormalisedAndTheFocusPointLiesAtTheFocalDistance) {
  const refhost::ItemAxes scaled = refhost::itemAxes({0.4, -0.3, 0.2}, {2.0, 0.25, 7.0});
  const refhost::ItemAxes unit = refhost::itemAxes({0.4, -0.3, 0.2}, {1, 1, 1});
  const skyrind::CameraPose pose{
      {0.1, 0.2, 0.3}, vec(scaled.right), vec(scaled.up), vec(scaled.forward)};
  const skyrind::FrameSample s = skyrind::deriveSample(skyrind::defaultSettings(kPi), pose,
                                                       {3.5, 4.0}, {kFilmWidth, kFilmHeight});
  const skyrind::Vec3 *axes[] = {&s.right, &s.up, &s.forward};
  const refhost::Vec3 *expected[] = {&unit.right, &unit.up, &unit.forward};
  for (int a = 0; a < 3; ++a) {
    EXPECT_NEAR(length(*axes[a]), 1.0, 1e-15);
    EXPECT_NEAR(axes[a]->x, (*expected[a])[0], 1e-15);
    EXPECT_NEAR(axes[a]->y, (*expected[a])[1], 1e-15);
    EXPECT_NEAR(axes[a]->z, (*expected[a])[2], 1e-15);
  }
  EXPECT_NEAR(length(s.focusForward), 3.5, 1e-14);
  EXPECT_EQ(s.focusForward.y, s.forward.y * 3.5);
  EXPECT_EQ(s.position.x, 0.1);
  EXPECT_EQ(s.position.y, 0.2);
  EXPECT_EQ(s.position.z, 0.3);
}

TEST(DeriveSample, ShiftsLensRadiusAndSwitchesAreTakenAsGiven) {
  skyrind::CameraSettings settings = skyrind::defaultSettings(kPi);
  settings.hShift = 0.5, settings.vShift = -0.5;
  settings.switches.verticalPanorama = 1, settings.switches.vPerspective = 7;
  const skyrind::CameraPose pose{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  const skyrind::FrameSample s = skyrind::deriveSample(settings, pose, {1.0, 4.0}, {0.036, 0.024});
  EXPECT_EQ(s.shiftX, 0.036 / 2);
  EXPECT_EQ(s.shiftY, -0.024 / 2);
  EXPECT_NEAR(s.lensRadius, 0.003, 1e-18);
  EXPECT_EQ(s.verticalPanorama, 1);
  EXPECT_EQ(s.hPerspective, 0);
  EXPECT_EQ(s.vPerspective, 7);
  EXPECT_EQ(s.angleScaleX, (kPi + kPi) / 0.036);
}

}  // namespace
}  // namespace skyrind_test
