// The plug-in's rays equal the plain transcription's bit for bit over many
// random scenes: every mode, moving and scaled cameras, animated fields of
// view and shifts, lens positions and motion steps. Guards any rewrite of
// evaluate or the frame sampling for speed.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>

#include "camera_fixture.h"
#include "plain_transcription.h"

namespace skyrind_test {
namespace {

using refhost::ItemChannel;

std::string printRay(const CameraRay &ray) {
  std::string out;
  const double *v = ray.origin;
  for (int i = 0; i < 9; ++i) out += refhost::printReal(v[i]) + (i % 3 == 2 ? " | " : " ");
  return out;
}

class PlainTranscription : public CameraFixture {
 protected:
  double uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  }
  bool coin(double p = 0.5) { return uniform(0, 1) < p; }

  // A curve that is static or keyed across the exposure [start, end].
  void animate(refhost::KeyedCurve &curve, double low, double high, double start, double end) {
    curve.clearKeys();
    curve.setStaticValue(uniform(low, high));
    if (coin(0.7)) {
      curve.setKey(start, uniform(low, high));
      curve.setKey(end, uniform(low, high),
                   coin() ? refhost::KeyShape::Smooth : refhost::KeyShape::Linear);
      if (coin(0.3)) curve.setKey((start + end) / 2, uniform(low, high));
    }
  }

  // The number of samples a new frame took: its reads of "HFOV".
  std::size_t samplesTaken(void *instance) {
    std::size_t count = 0;
    for (const refhost::Call &call : host.log().callsOf(VPARM_FUNCS_NAME))
      count += call.op == "getVal" && call.pointers.at(0) == parameter(instance, "HFOV");
    return count;
  }

  std::mt19937_64 random{20240611};
};

TEST_F(PlainTranscription, RaysMatchBitForBitAcrossRandomScenes) {
  host.log().setEnabled(false);
  const int kScenes = 800, kRaysPerScene = 24;
  int mismatches = 0, raysPerMode[8] = {};
  for (int scene = 0; scene < kScenes && mismatches < 5; ++scene) {
    plain::Switches sw;
    sw.verticalPanorama = scene & 1;
    sw.hPerspective = (scene >> 1) & 1;
    sw.vPerspective = (scene >> 2) & 1;
    sw.autoHFov = coin(0.3);
    sw.autoVFov = coin(0.3);
    FrameInfo frame = frameInfo(static_cast<int>(uniform(0, 4)), uniform(-1, 2), uniform(0, 0.5));
    const double start = frame.start, end = frame.start + frame.duration;

    const double angles[][2] = {{-kPi, kPi}, {-1.5, 1.5}, {-kPi, kPi}};
    const ItemChannel rotation[] = {ItemChannel::Heading, ItemChannel::Pitch, ItemChannel::Bank};
    const ItemChannel position[] = {ItemChannel::PositionX, ItemChannel::PositionY,
                                    ItemChannel::PositionZ};
    const ItemChannel scale[] = {ItemChannel::ScaleX, ItemChannel::ScaleY, ItemChannel::ScaleZ};
    for (int a = 0; a < 3; ++a) {
      animate(camera.curve(rotation[a]), angles[a][0], angles[a][1], start, end);
      animate(camera.curve(position[a]), -50, 50, start, end);
      camera.curve(scale[a]).setStaticValue(uniform(0.2, 5));
    }
    animate(camera.curve(ItemChannel::FocalDistance), 0.05, 40, start, end);
    animate(camera.curve(ItemChannel::FStop), 0.7, 22, start, end);

    void *instance = create();
    setSwitches(instance, sw.hPerspective, sw.vPerspective, sw.verticalPanorama, sw.autoHFov,
                sw.autoVFov);
    const double fovTop = sw.hPerspective && !sw.autoHFov ? 3.0 : 7.0;
    animate(channel(instance, "HFOV").curve(), 0.05, fovTop, start, end);
    animate(channel(instance, "VFOV").curve(), 0.05, sw.vPerspective ? 3.0 : 3.5, start, end);
    animate(channel(instance, "HShift").curve(), -0.6, 0.6, start, end);
    animate(channel(instance, "VShift").curve(), -0.6, 0.6, start, end);
    const double filmWidth = uniform(0.005, 0.1);
    const double filmHeight = uniform(0.005, 0.1);
    const plain::HostScene hostScene = this->hostScene(instance, sw, filmWidth, filmHeight);
    host.log().clear();
    host.log().setEnabled(true);
    ASSERT_EQ(newFrame(instance, frame, hostScene.filmWidth, hostScene.filmHeight), std::nullopt);
    host.log().setEnabled(false);
    const std::vector<plain::Sample> table = plain::sampleTable(hostScene, frame);
    ASSERT_EQ(samplesTaken(instance), table.size());

    const double fixedTimes[] = {0, 1, 0.25, 0.5, 0.999};
    for (int k = 0; k < kRaysPerScene; ++k) {
      const double filmX = uniform(-0.75, 0.75) * hostScene.filmWidth;
      const double filmY = uniform(-0.75, 0.75) * hostScene.filmHeight;
      const double lensX = coin(0.2) ? 0.0 : uniform(-1, 1);
      const double lensY = coin(0.2) ? 0.0 : uniform(-1, 1);
      const double fracTime = k < 5 ? fixedTimes[k] : uniform(0, 1);
      CameraRay got;
      std::memset(&got, 0x5A, sizeof got);
      ASSERT_EQ(handler.evaluate(instance, filmX, filmY, lensX, lensY, fracTime, got), 1);
      const CameraRay want = plain::evaluate(table, filmX, filmY, lensX, lensY, fracTime);
      ++raysPerMode[scene & 7];
      if (std::memcmp(&got, &want, sizeof got) == 0) continue;
      ++mismatches;
      ADD_FAILURE() << "scene " << scene << " mode vp" << sw.verticalPanorama << " hp"
                    << sw.hPerspective << " vp" << sw.vPerspective << " autoH" << sw.autoHFov
                    << " autoV" << sw.autoVFov << " steps " << frame.motionSteps << "\n film "
                    << refhost::printReal(filmX) << " " << refhost::printReal(filmY) << " lens "
                    << refhost::printReal(lensX) << " " << refhost::printReal(lensY) << " time "
                    << refhost::printReal(fracTime) << "\n got  " << printRay(got) << "\n want "
                    << printRay(want);
    }
    destroy(instance);
  }
  for (int mode = 0; mode < 8; ++mode)
    EXPECT_EQ(raysPerMode[mode], kScenes / 8 * kRaysPerScene) << mode;
}

// An axis-aligned camera at the origin with zero shifts, asked along the
// film's axes and at the lens centre: most products are exactly ±0 here, so
// the order and signs of zeros (the turns' added zero row, −0 from a negated
// tilt angle, the lens offsets) decide the bits.
TEST_F(PlainTranscription, RaysMatchBitForBitWhereComponentsAreZero) {
  host.log().setEnabled(false);
  camera.curve(ItemChannel::PositionY).setStaticValue(-0.0);
  const FrameInfo frame = frameInfo(1);
  const double films[] = {0.0, -0.0, 0.25, -0.25};
  const double lenses[] = {0.0, -0.0, 1.0, -1.0};
  const double times[] = {0.0, 1.0};
  int mismatches = 0;
  for (int mode = 0; mode < 8; ++mode) {
    plain::Switches sw;
    sw.verticalPanorama = mode & 1;
    sw.hPerspective = (mode >> 1) & 1;
    sw.vPerspective = (mode >> 2) & 1;
    void *instance = create();
    setSwitches(instance, sw.hPerspective, sw.vPerspective, sw.verticalPanorama, sw.autoHFov,
                sw.autoVFov);
    const plain::HostScene hostScene = this->hostScene(instance, sw);
    ASSERT_EQ(newFrame(instance, frame, kFilmWidth, kFilmHeight), std::nullopt);
    const std::vector<plain::Sample> table = plain::sampleTable(hostScene, frame);
    for (double fx : films)
      for (double fy : films)
        for (double lx : lenses)
          for (double ly : lenses)
            for (double t : times) {
              const double filmX = fx * kFilmWidth, filmY = fy * kFilmHeight;
              CameraRay got;
              std::memset(&got, 0x5A, sizeof got);
              ASSERT_EQ(handler.evaluate(instance, filmX, filmY, lx, ly, t, got), 1);
              const CameraRay want = plain::evaluate(table, filmX, filmY, lx, ly, t);
              if (std::memcmp(&got, &want, sizeof got) == 0 || ++mismatches > 5) continue;
              ADD_FAILURE() << "mode " << mode << " film " << refhost::printReal(filmX) << " "
                            << refhost::printReal(filmY) << " lens " << refhost::printReal(lx)
                            << " " << refhost::printReal(ly) << "\n got  " << printRay(got)
                            << "\n want " << printRay(want);
            }
    destroy(instance);
  }
  EXPECT_EQ(mismatches, 0);
}

bool sameBitsOrNaN(const CameraRay &a, const CameraRay &b) {
  for (int i = 0; i < 3; ++i)
    for (const auto &[x, y] :
         {std::pair{a.origin[i], b.origin[i]}, std::pair{a.direction[i], b.direction[i]},
          std::pair{a.facing[i], b.facing[i]}})
      if (std::memcmp(&x, &y, sizeof x) != 0 && !(std::isnan(x) && std::isnan(y))) return false;
  return true;
}

// The lens at its centre takes its own path through the kernel; its rays
// must keep every signed zero of the full path. The camera stands still at
// (−0, −0, −0) with −0 angles and shifts, its z axis or all three scaled by
// −1, so that film positions of ±0 give targets, offsets and origins with
// exact zeros of both signs; each switch combination runs at f/4, with a
// radius of 0 (an infinite f-stop), and with a zero film height (infinite
// angles per film unit). A third camera has its x axis scaled by 0 (a NaN
// `right`): NaN turns and axes must not take the centre's path. A NaN
// matches any NaN: the reference's separate sine and cosine need not give
// sincos's NaN sign.
TEST_F(PlainTranscription, RaysMatchBitForBitWithSignedZerosAtTheLensCentre) {
  host.log().setEnabled(false);
  const ItemChannel still[] = {ItemChannel::PositionX, ItemChannel::PositionY,
                               ItemChannel::PositionZ, ItemChannel::Heading,
                               ItemChannel::Pitch,     ItemChannel::Bank};
  for (ItemChannel c : still) {
    camera.curve(c).clearKeys();
    camera.curve(c).setStaticValue(-0.0);
  }
  const FrameInfo frame = frameInfo(1);
  const double films[] = {0.0, -0.0, 0.25, -0.25};
  const double lenses[] = {0.0, -0.0, 0.5, -1.0};
  const double fStops[] = {4.0, std::numeric_limits<double>::infinity()};
  const double filmHeights[] = {kFilmHeight, 0.0};
  int mismatches = 0, negativeZeroDirections = 0, negativeZeroOrigins = 0;
  const double scales[][3] = {{1, 1, -1}, {-1, -1, -1}, {0, 1, -1}};
  for (int scene = 0; scene < 24; ++scene)
    for (double fStop : fStops)
      for (double filmHeight : filmHeights) {
        const int mode = scene & 7;
        camera.curve(ItemChannel::ScaleX).setStaticValue(scales[scene / 8][0]);
        camera.curve(ItemChannel::ScaleY).setStaticValue(scales[scene / 8][1]);
        camera.curve(ItemChannel::ScaleZ).setStaticValue(scales[scene / 8][2]);
        plain::Switches sw;
        sw.verticalPanorama = mode & 1;
        sw.hPerspective = (mode >> 1) & 1;
        sw.vPerspective = (mode >> 2) & 1;
        camera.curve(ItemChannel::FStop).setStaticValue(fStop);
        void *instance = create();
        setSwitches(instance, sw.hPerspective, sw.vPerspective, sw.verticalPanorama);
        channel(instance, "HShift").curve().setStaticValue(-0.0);
        channel(instance, "VShift").curve().setStaticValue(-0.0);
        const plain::HostScene hostScene = this->hostScene(instance, sw, kFilmWidth, filmHeight);
        ASSERT_EQ(newFrame(instance, frame, kFilmWidth, filmHeight), std::nullopt);
        const std::vector<plain::Sample> table = plain::sampleTable(hostScene, frame);
        for (double fx : films)
          for (double fy : films)
            for (double lx : lenses)
              for (double ly : lenses) {
                const double filmX = fx * kFilmWidth, filmY = fy * kFilmHeight;
                CameraRay got;
                std::memset(&got, 0x5A, sizeof got);
                ASSERT_EQ(handler.evaluate(instance, filmX, filmY, lx, ly, 0.0, got), 1);
                const CameraRay want = plain::evaluate(table, filmX, filmY, lx, ly, 0.0);
                for (int i = 0; i < 3; ++i) {
                  negativeZeroDirections += got.direction[i] == 0 && std::signbit(got.direction[i]);
                  negativeZeroOrigins += got.origin[i] == 0 && std::signbit(got.origin[i]);
                }
                if (sameBitsOrNaN(got, want) || ++mismatches > 5) continue;
                ADD_FAILURE() << "scene " << scene << " f-stop " << fStop << " film height "
                              << filmHeight << " film " << refhost::printReal(filmX) << " "
                              << refhost::printReal(filmY) << " lens " << refhost::printReal(lx)
                              << " " << refhost::printReal(ly) << "\n got  " << printRay(got)
                              << "\n want " << printRay(want);
              }
        destroy(instance);
      }
  EXPECT_EQ(mismatches, 0);
  // The scene must reach the zeros it is about.
  EXPECT_GT(negativeZeroDirections, 0);
  EXPECT_GT(negativeZeroOrigins, 0);
}

}  // namespace
}  // namespace skyrind_test
