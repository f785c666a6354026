// The new-frame callback: sample times, the host calls made per sample, and
// what each sample holds.
#include <cmath>
#include <string>
#include <vector>

#include "camera_fixture.h"

namespace skyrind_test {
namespace {

using refhost::Call;

class FrameSampling : public CameraFixture {
 protected:
  // The times of the new frame's getVal calls on the "HFOV" channel.
  std::vector<double> sampleTimes(void *instance) {
    std::vector<double> times;
    for (const Call &call : host.log().callsOf(VPARM_FUNCS_NAME))
      if (call.op == "getVal" && call.pointers.at(0) == fields(instance).parameters.hFov)
        times.push_back(call.reals.at(0));
    return times;
  }
};

double length(const skyrind::Vec3 &v) {
  return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

TEST_F(FrameSampling, OneSampleQueriesTheHostInOrderForTheAccessRecordsCamera) {
  refhost::Item &other = host.addCamera("Other");
  other.setPosition({1, 2, 3});
  void *instance = create();
  auto &c = fields(instance);
  host.log().clear();
  ASSERT_EQ(newFrame(instance, frameInfo(0, 0.75, 0.5), kFilmWidth, kFilmHeight, &other),
            std::nullopt);
  const std::string item = refhost::printPointer(other.handle());
  auto at = [](void *handle) { return refhost::printPointer(handle) + ", 0.75, null, "; };
  const std::vector<Call> calls = host.log().calls();
  std::vector<std::string> lines;
  for (const Call &call : calls) lines.push_back(call.line());
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0].rfind("LWVParmFuncs 2.getVal(" + at(c.parameters.hFov), 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("LWVParmFuncs 2.getVal(" + at(c.parameters.vFov), 0), 0u) << lines[1];
  EXPECT_EQ(lines[2].rfind("LWVParmFuncs 2.getVal(" + at(c.parameters.hShift), 0), 0u) << lines[2];
  EXPECT_EQ(lines[3].rfind("LWVParmFuncs 2.getVal(" + at(c.parameters.vShift), 0), 0u) << lines[3];
  EXPECT_EQ(calls[4].name() + calls[4].args[0] + calls[4].args[1],
            "global.lookupLW Camera Info 50");
  EXPECT_EQ(lines[5], "LW Camera Info 5.focalDistance(" + item + ", 0.75) -> 1");
  EXPECT_EQ(lines[6], "LW Camera Info 5.fStop(" + item + ", 0.75) -> 4");
  EXPECT_EQ(calls[7].name() + calls[7].args[0] + calls[7].args[1], "global.lookupLW Item Info 40");
  const char *codes[] = {"8", "2", "3", "4"};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(calls[8 + k].name(), "LW Item Info 4.param");
    EXPECT_EQ(calls[8 + k].args.at(0) + calls[8 + k].args.at(1), item + codes[k]);
    EXPECT_EQ(calls[8 + k].reals.at(0), 0.75);
  }
  EXPECT_EQ(c.sampleCount, 0u);
  EXPECT_EQ(sample(instance, 0).position.x, 1.0);
  EXPECT_EQ(sample(instance, 0).position.z, 3.0);
  EXPECT_EQ(c.frameNumber, 7);
  EXPECT_EQ(c.frameStart, 0.75);
  EXPECT_EQ(c.frameDuration, 0.5);
  EXPECT_EQ(c.framesPerSecond, 24.0);
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
    EXPECT_EQ(fields(instance).sampleCount, count);
    EXPECT_EQ(host.log().size(), 12u * (count + 1));
    const std::vector<double> times = sampleTimes(instance);
    ASSERT_EQ(times.size(), count + 1);
    for (unsigned k = 0; k <= count; ++k) {
      const double t = start + (duration / count) * k;
      EXPECT_EQ(times[k], t) << k;
      EXPECT_EQ(sample(instance, k).position.x, camera.positionAt(t)[0]) << k;
    }
    EXPECT_NEAR(times.back(), start + duration, 1e-15);
  }
}

TEST_F(FrameSampling, AxesAreNormalisedAndTheFocusPointLiesAtTheFocalDistance) {
  camera.setRotation({0.4, -0.3, 0.2});
  camera.setScale({2.0, 0.25, 7.0});
  camera.setPosition({0.1, 0.2, 0.3});
  camera.setFocalDistance(3.5);
  void *instance = create();
  ASSERT_EQ(newFrame(instance, frameInfo(0)), std::nullopt);
  const skyrind::FrameSample &s = sample(instance, 0);
  const refhost::ItemAxes unit = refhost::itemAxes({0.4, -0.3, 0.2}, {1, 1, 1});
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

TEST_F(FrameSampling, LensRadiusShiftsAndSwitchesAreFrozenIntoEverySample) {
  void *instance = create();
  auto &c = fields(instance);
  channel(instance, "HShift").curve().setStaticValue(0.5);
  channel(instance, "VShift").curve().setStaticValue(-0.5);
  camera.setFStop(4.0);
  c.settings.switches.verticalPanorama = 1, c.settings.switches.hPerspective = 0,
  c.settings.switches.vPerspective = 7;
  ASSERT_EQ(newFrame(instance, frameInfo(1), 0.036, 0.024), std::nullopt);
  for (unsigned k = 0; k <= 4; ++k) {
    const skyrind::FrameSample &s = sample(instance, k);
    EXPECT_EQ(s.shiftX, 0.036 / 2);
    EXPECT_EQ(s.shiftY, -0.024 / 2);
    EXPECT_NEAR(s.lensRadius, 0.003, 1e-18);
    EXPECT_EQ(s.verticalPanorama, 1);
    EXPECT_EQ(s.hPerspective, 0);
    EXPECT_EQ(s.vPerspective, 7);
  }
  EXPECT_EQ(c.film.width, 0.036);
  EXPECT_EQ(c.film.height, 0.024);
}

TEST_F(FrameSampling, TheInstanceHoldsTheParametersAtTheLastSampleTime) {
  void *instance = create();
  auto &c = fields(instance);
  channel(instance, "HFOV").curve().setKey(0.0, 1.0);
  channel(instance, "HFOV").curve().setKey(2.0, 3.0);
  channel(instance, "VShift").curve().setKey(0.0, 0.0);
  channel(instance, "VShift").curve().setKey(2.0, 0.4);
  ASSERT_EQ(newFrame(instance, frameInfo(2, 0.3, 0.9)), std::nullopt);
  const double last = 0.3 + (0.9 / 8) * 8;
  EXPECT_EQ(c.settings.hFov, channel(instance, "HFOV").valueAt(last));
  EXPECT_EQ(c.settings.vShift, channel(instance, "VShift").valueAt(last));
  EXPECT_EQ(sample(instance, 0).angleScaleX, channel(instance, "HFOV").valueAt(0.3) / kFilmWidth);
  ASSERT_EQ(newFrame(instance, frameInfo(0, 1.0, 0.9)), std::nullopt);
  EXPECT_EQ(c.settings.hFov, 2.0);
  EXPECT_EQ(c.settings.vShift, channel(instance, "VShift").valueAt(1.0));
}

TEST_F(FrameSampling, ANegativeMotionStepCountIsRefusedLikeAFailedAllocation) {
  void *instance = create();
  ASSERT_EQ(newFrame(instance, frameInfo(1)), std::nullopt);
  EXPECT_EQ(newFrame(instance, frameInfo(-1)), "Can't allocate Memory");
  EXPECT_EQ(fields(instance).samples, nullptr);
  CameraRay untouched{};
  EXPECT_EQ(handler.evaluate(instance, 0, 0, 0, 0, 0.5, untouched), 0);
  // The next frame starts again from scratch.
  ASSERT_EQ(newFrame(instance, frameInfo(1)), std::nullopt);
  EXPECT_NE(fields(instance).samples, nullptr);
}

TEST_F(FrameSampling, AMissingServiceAtNewFrameIsNamedAndLeavesNoTable) {
  for (const char *service : {CAMERA_INFO_NAME, ITEM_INFO_NAME}) {
    SCOPED_TRACE(service);
    void *instance = create();
    ASSERT_EQ(newFrame(instance, frameInfo(1)), std::nullopt);
    host.faults().hideService(service);
    const refhost::Message message = newFrame(instance, frameInfo(1));
    host.faults().showService(service);
    ASSERT_TRUE(message.has_value());
    EXPECT_NE(message->find(service), std::string::npos) << *message;
    EXPECT_EQ(fields(instance).samples, nullptr);
    CameraRay ray{};
    EXPECT_EQ(handler.evaluate(instance, 0, 0, 0, 0, 0, ray), 0);
  }
}

}  // namespace
}  // namespace skyrind_test
