// The preview projection: every matrix element against values worked out in
// the written order of operations, the host data it reads, and the switch
// between the tangent and the linear half-extent per axis.
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "module_fixture.h"

namespace skyrind_test {
namespace {

const double PI = 4 * std::atan(1.0);
constexpr double kSentinel = 99.0;
// A film on which both half-extent forms give different elements near a
// quarter turn (on some sizes they round to the same P0).
constexpr double kFilmWidth = 0.035, kFilmHeight = 0.025;

// Half-extent per film unit of one axis, in its two forms.
double tangentExtent(double angle, double filmSize) {
  return 2 * std::tan(angle / 2) / filmSize;
}
double linearExtent(double angle, double filmSize) {
  return 2 * (angle / PI) * 2 / filmSize;
}

struct View {
  double ex, ey;          // half-extents
  double hShift, vShift;  // fractions of the film size
  double focalDistance, fStop;
  double lensX, lensY;
};

std::vector<double> expectedMatrix(const View &v) {
  const double W = kFilmWidth, Hf = kFilmHeight;
  const double k = (Hf / v.fStop * 0.5) / v.ey;
  std::vector<double> p(16, 0.0);
  p[0] = 2 / (v.ex - (-v.ex));
  p[5] = 2 / (v.ey - (-v.ey));
  p[8] = (v.ex + (-v.ex)) / (v.ex - (-v.ex)) + v.hShift * W + k * v.lensX / v.focalDistance;
  p[9] = (v.ey + (-v.ey)) / (v.ey - (-v.ey)) + v.vShift * Hf + k * v.lensY / v.focalDistance;
  p[10] = std::bit_cast<double>(uint64_t{0xBFF0002043ADF7ED});
  p[11] = -1;
  p[12] = k * v.lensX;
  p[13] = k * v.lensY;
  p[14] = std::bit_cast<double>(uint64_t{0xC000001021D6FBF7});
  return p;
}

class Preview : public HandlerWithInstance {
 protected:
  void SetUp() override {
    HandlerWithInstance::SetUp();
    std::fill(std::begin(matrix), std::end(matrix), kSentinel);
  }

  int preview(double lensX, double lensY, void *item) {
    return handler.preview(instance, lensX, lensY, matrix,
                           refhost::cameraAccess(item, kFilmWidth, kFilmHeight));
  }
  void expectMatrix(const std::vector<double> &expected, const std::string &where) {
    for (int i = 0; i < 16; ++i)
      EXPECT_EQ(std::bit_cast<uint64_t>(matrix[i]), std::bit_cast<uint64_t>(expected[i]))
          << where << ", P" << i << " = " << matrix[i] << ", expected " << expected[i];
  }

  double matrix[16];
};

TEST_F(Preview, WritesEveryElementFromTheValuesAtTheHostsTime) {
  // The instance's own camera has other optics than the one previewed.
  camera.setFocalDistance(9);
  camera.setFStop(16);
  refhost::Item &viewed = host.addCamera("Viewed");
  viewed.curve(refhost::ItemChannel::FocalDistance).setKey(0, 2);
  viewed.curve(refhost::ItemChannel::FocalDistance).setKey(3, 4);
  viewed.setFStop(2.8);
  channel("HFOV").curve().setKey(0, 1.0);  // 1.5 at t = 1.5: the tangent form
  channel("HFOV").curve().setKey(3, 2.0);
  channel("VFOV").curve().setStaticValue(3.0);  // the linear form
  channel("HShift").curve().setStaticValue(0.1);
  channel("VShift").curve().setKey(0, -0.05);
  channel("VShift").curve().setKey(3, 0.25);
  const double t = 1.5;
  host.setTime(t);

  ASSERT_EQ(preview(0.3, -0.2, viewed.handle()), 1);

  const double h = channel("HFOV").valueAt(t), v = channel("VFOV").valueAt(t);
  ASSERT_LT(h, PI / 2);
  View view{tangentExtent(h, kFilmWidth),
            linearExtent(v, kFilmHeight),
            channel("HShift").valueAt(t),
            channel("VShift").valueAt(t),
            viewed.focalDistanceAt(t),
            viewed.fStopAt(t),
            0.3,
            -0.2};
  expectMatrix(expectedMatrix(view), "keyed");
  EXPECT_EQ(std::bit_cast<uint64_t>(matrix[10]), 0xBFF0002043ADF7EDu);
  EXPECT_EQ(std::bit_cast<uint64_t>(matrix[14]), 0xC000001021D6FBF7u);

  // Parameters read at t in handle order; then focal distance, then f-stop
  // of the previewed camera at t.
  std::vector<const void *> read;
  for (const refhost::Call &call : host.log().callsOf(VPARM_FUNCS_NAME)) {
    EXPECT_EQ(call.op, "getVal");
    EXPECT_EQ(call.reals, std::vector<double>{t});
    read.push_back(call.pointers.at(0));
  }
  EXPECT_EQ(read, (std::vector<const void *>{parameter("HFOV"), parameter("VFOV"),
                                             parameter("HShift"), parameter("VShift")}));
  const std::vector<refhost::Call> optics = host.log().callsOf(CAMERA_INFO_NAME);
  ASSERT_EQ(optics.size(), 2u);
  EXPECT_EQ(optics[0].op, "focalDistance");
  EXPECT_EQ(optics[1].op, "fStop");
  for (const refhost::Call &call : optics) {
    EXPECT_EQ(call.pointers.at(0), viewed.handle());
    EXPECT_EQ(call.reals, std::vector<double>{t});
  }
  // The instance keeps the values read at t: a save writes them.
  const SavedState saved = savedState();
  EXPECT_EQ(saved.values[0], static_cast<float>(h));
  EXPECT_EQ(saved.values[3], static_cast<float>(view.vShift));
}

TEST_F(Preview, EachAxisSwitchesToTheLinearFormAtAQuarterTurnWithoutItsOwnFlag) {
  const double narrow = 1.0;   // the tangent form on the other axis, flag or not
  camera.setFocalDistance(3);  // k·lens/d then differs from k·(lens/d)
  for (bool horizontal : {true, false}) {
    for (double angle : {std::nextafter(PI / 2, 0.0), PI / 2, 2.0}) {
      for (int32_t ownFlag : {0, 1}) {
        const std::string where = std::string(horizontal ? "horizontal" : "vertical") + " " +
                                  std::to_string(angle) + (ownFlag ? " perspective" : "");
        const double filmSize = horizontal ? kFilmWidth : kFilmHeight;
        const double tangent = tangentExtent(angle, filmSize);
        const double linear = linearExtent(angle, filmSize);
        ASSERT_NE(2 / (tangent + tangent), 2 / (linear + linear)) << where;

        channel("HFOV").curve().setStaticValue(horizontal ? angle : narrow);
        channel("VFOV").curve().setStaticValue(horizontal ? narrow : angle);
        // The other axis carries the opposite flag, so a mixed-up flag shows.
        session.edit(0x8003, horizontal ? ownFlag : !ownFlag);
        session.edit(0x8004, horizontal ? !ownFlag : ownFlag);
        ASSERT_EQ(preview(0.3, 0.7, camera.handle()), 1) << where;

        const double own = (angle < PI / 2 || ownFlag) ? tangent : linear;
        const double other = tangentExtent(narrow, horizontal ? kFilmHeight : kFilmWidth);
        View view{horizontal ? own : other, horizontal ? other : own, 0, 0, 3, 4, 0.3, 0.7};
        expectMatrix(expectedMatrix(view), where);
      }
    }
  }
}

TEST_F(Preview, WithoutCameraInfoReturnsZeroAndLeavesTheMatrix) {
  host.faults().hideService(refhost::Service::CameraInfo);
  EXPECT_EQ(preview(0.1, 0.1, camera.handle()), 0);
  for (double element : matrix) EXPECT_EQ(element, kSentinel);
}

}  // namespace
}  // namespace skyrind_test
