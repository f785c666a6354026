#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "refhost/host.h"
#include "support/service_name.h"

using skyrind_test::serviceName;

namespace refhost {
namespace {

constexpr double kQuarter = std::numbers::pi / 2;

Vec3 cross(const Vec3 &a, const Vec3 &b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double length(const Vec3 &v) {
  return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

void expectNear(const Vec3 &actual, const Vec3 &expected) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-12) << "component " << i;
}

TEST(ItemAxesAtRest, AreTheWorldAxes) {
  ItemAxes axes = itemAxes({}, {1, 1, 1});
  EXPECT_EQ(axes.right, (Vec3{1, 0, 0}));
  EXPECT_EQ(axes.up, (Vec3{0, 1, 0}));
  EXPECT_EQ(axes.forward, (Vec3{0, 0, 1}));
}

TEST(ItemAxesRotation, HeadingTurnsForwardTowardsRight) {
  ItemAxes axes = itemAxes({kQuarter, 0, 0}, {1, 1, 1});
  expectNear(axes.forward, {1, 0, 0});
  expectNear(axes.right, {0, 0, -1});
  expectNear(axes.up, {0, 1, 0});
}

TEST(ItemAxesRotation, PitchLooksDown) {
  ItemAxes axes = itemAxes({0, kQuarter, 0}, {1, 1, 1});
  expectNear(axes.forward, {0, -1, 0});
  expectNear(axes.up, {0, 0, 1});
}

TEST(ItemAxesRotation, BankTurnsRightTowardsUp) {
  ItemAxes axes = itemAxes({0, 0, kQuarter}, {1, 1, 1});
  expectNear(axes.right, {0, 1, 0});
  expectNear(axes.up, {-1, 0, 0});
  expectNear(axes.forward, {0, 0, 1});
}

TEST(ItemAxesRotation, PitchAppliesBeforeHeading) {
  // Pitched straight down, heading only spins the view about the vertical.
  ItemAxes axes = itemAxes({kQuarter, kQuarter, 0}, {1, 1, 1});
  expectNear(axes.forward, {0, -1, 0});
  expectNear(axes.right, {0, 0, -1});
}

TEST(ItemAxesRotation, StayRightHandedAsRightCrossUpIsForward) {
  for (double h = -3; h <= 3; h += 0.7)
    for (double p = -1.5; p <= 1.5; p += 0.6)
      for (double b = -3; b <= 3; b += 1.1) {
        ItemAxes axes = itemAxes({h, p, b}, {1, 1, 1});
        expectNear(cross(axes.right, axes.up), axes.forward);
        EXPECT_NEAR(length(axes.right), 1, 1e-12);
        EXPECT_NEAR(length(axes.up), 1, 1e-12);
      }
}

TEST(ItemAxesScale, ScalesEachAxisByItsOwnComponent) {
  Rotation rotation{0.3, -0.2, 0.9};
  ItemAxes unit = itemAxes(rotation, {1, 1, 1});
  ItemAxes scaled = itemAxes(rotation, {2, 3, 0.5});
  for (int i = 0; i < 3; ++i) {
    EXPECT_DOUBLE_EQ(scaled.right[i], 2 * unit.right[i]);
    EXPECT_DOUBLE_EQ(scaled.up[i], 3 * unit.up[i]);
    EXPECT_DOUBLE_EQ(scaled.forward[i], 0.5 * unit.forward[i]);
  }
}

class ItemServices : public testing::Test {
 protected:
  ItemInfo &info() {
    return *static_cast<ItemInfo *>(
        Host::globalLookup()(serviceName(refhost::Service::ItemInfo), 0));
  }
  CameraInfo &cameraInfo() {
    return *static_cast<CameraInfo *>(
        Host::globalLookup()(serviceName(refhost::Service::CameraInfo), 0));
  }

  Host host;
  Host::Installation installed = host.install();
  Item &camera = host.addCamera();
};

TEST_F(ItemServices, ParamGivesKeyedPositionAndAxesAtTheTime) {
  camera.keyPosition(0, {0, 0, 0});
  camera.keyPosition(2, {4, -2, 8});
  camera.curve(ItemChannel::Heading).setKey(0, 0);
  camera.curve(ItemChannel::Heading).setKey(1, 2 * kQuarter);
  camera.setScale({1, 1, 3});
  double out[3];
  info().param(camera.handle(), ITEM_W_POSITION, 1.0, out);
  EXPECT_EQ((Vec3{out[0], out[1], out[2]}), (Vec3{2, -1, 4}));
  info().param(camera.handle(), ITEM_FORWARD, 0.5, out);
  expectNear({out[0], out[1], out[2]}, {3, 0, 0});
  info().param(camera.handle(), ITEM_RIGHT, 0.5, out);
  expectNear({out[0], out[1], out[2]}, {0, 0, -1});
  info().param(camera.handle(), ITEM_UP, 0.5, out);
  expectNear({out[0], out[1], out[2]}, {0, 1, 0});
}

TEST_F(ItemServices, ParamRefusesUnknownCodesAndItemsWithoutWriting) {
  double out[3] = {5, 5, 5};
  info().param(camera.handle(), 1, 0, out);
  EXPECT_EQ((Vec3{out[0], out[1], out[2]}), (Vec3{5, 5, 5}));
  int stray = 0;
  info().param(&stray, ITEM_W_POSITION, 0, out);
  EXPECT_EQ((Vec3{out[0], out[1], out[2]}), (Vec3{5, 5, 5}));
}

TEST_F(ItemServices, EachItemHasItsOwnChannelGroup) {
  Item &other = host.addCamera("Other");
  void *group = info().chanGroup(camera.handle());
  EXPECT_NE(group, nullptr);
  EXPECT_EQ(group, camera.channelGroup());
  EXPECT_NE(info().chanGroup(other.handle()), group);
  EXPECT_EQ(host.items().ownerOfGroup(group), &camera);
  int stray = 0;
  EXPECT_EQ(info().chanGroup(&stray), nullptr);
}

TEST_F(ItemServices, CameraInfoGivesKeyedFocalDistanceAndFStop) {
  EXPECT_EQ(cameraInfo().focalDistance(camera.handle(), 0), 1.0);
  EXPECT_EQ(cameraInfo().fStop(camera.handle(), 0), 4.0);
  camera.curve(ItemChannel::FocalDistance).setKey(0, 2);
  camera.curve(ItemChannel::FocalDistance).setKey(1, 4);
  camera.setFStop(2.8);
  EXPECT_EQ(cameraInfo().focalDistance(camera.handle(), 0.5), 3);
  EXPECT_EQ(cameraInfo().fStop(camera.handle(), 0.5), 2.8);
  auto calls = host.log().callsOf(CAMERA_INFO_NAME);
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[2].line(),
            "LW Camera Info 5.focalDistance(" + printPointer(camera.handle()) + ", 0.5) -> 3");
}

}  // namespace
}  // namespace refhost
