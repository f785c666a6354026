// Effective fields of view as the sample table's scales show them: every row
// of both derivation tables, written out in the same order of operations.
#include <cmath>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "camera_fixture.h"

namespace skyrind_test {
namespace {

// Read at run time, so that no tangent below is folded by the compiler with
// rounding other than the library's.
double runtime(double value) {
  volatile double held = value;
  return held;
}

const double kH = runtime(1.3);  // hFov, radians
const double kV = runtime(0.7);  // vFov, radians
const double kW = runtime(kFilmWidth);
const double kHf = runtime(kFilmHeight);
const double kFocus = runtime(2.5);  // focal distance

struct Row {
  const char *name;
  int autoHFov, autoVFov, hPerspective, vPerspective;
  double heff, veff;
};

const Row kRows[] = {
    // autoVFov: Veff from h, keyed (hPerspective, vPerspective).
    {"autoV pp", 0, 1, 1, 1, kH, 2 * std::atan(std::tan(kH / 2) * kHf / kW)},
    {"autoV pa", 0, 1, 1, 0, kH, 2 * std::tan(kH / 2) * kHf / kW},
    {"autoV ap", 0, 1, 0, 1, kH, 2 * std::atan((kH / 2) * kHf / kW)},
    {"autoV aa", 0, 1, 0, 0, kH, kH *kHf / kW},
    // autoHFov: Heff from v, keyed (vPerspective, hPerspective).
    {"autoH pp", 1, 0, 1, 1, 2 * std::atan(std::tan(kV / 2) * kW / kHf), kV},
    {"autoH vp ha", 1, 0, 0, 1, 2 * std::tan(kV / 2) * kW / kHf, kV},
    {"autoH va hp", 1, 0, 1, 0, 2 * std::atan((kV / 2) * kW / kHf), kV},
    {"autoH aa", 1, 0, 0, 0, kV *kW / kHf, kV},
    // Both automatic flags: autoVFov is tested first and wins.
    {"both aa", 1, 1, 0, 0, kH, kH *kHf / kW},
    {"both pa", 1, 1, 1, 0, kH, 2 * std::tan(kH / 2) * kHf / kW},
    {"neither", 0, 0, 1, 0, kH, kV},
};

class FovResolution : public CameraFixture {
 protected:
  // Sets the channels and switches, runs one new frame and returns entry 0
  // as the plain transcription derives it, once the plug-in's rays have
  // shown they come from the same sample, bit for bit.
  plain::Sample resolve(const Row &row, double h = kH, double v = kV, double w = kW,
                        double hf = kHf) {
    instance = create();
    setSwitches(instance, row.hPerspective, row.vPerspective, 0, row.autoHFov, row.autoVFov);
    channel(instance, "HFOV").curve().setStaticValue(h);
    channel(instance, "VFOV").curve().setStaticValue(v);
    camera.setFocalDistance(kFocus);
    EXPECT_EQ(newFrame(instance, frameInfo(0), w, hf), std::nullopt);
    plain::Switches switches;
    switches.hPerspective = row.hPerspective, switches.vPerspective = row.vPerspective;
    switches.autoHFov = row.autoHFov, switches.autoVFov = row.autoVFov;
    const plain::HostScene scene = hostScene(instance, switches, w, hf);
    const std::vector<plain::Sample> table = plain::sampleTable(scene, frameInfo(0));
    for (const auto &[x, y] : {std::pair{0.3, 0.2}, {-0.45, 0.1}, {0.1, -0.4}}) {
      const CameraRay got = ray(instance, x * w, y * hf);
      const CameraRay want = plain::evaluate(table, x * w, y * hf, 0, 0, 0);
      EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0) << x << " " << y;
    }
    return table.at(0);
  }
  void *instance = nullptr;
};

TEST_F(FovResolution, EveryRowOfBothTablesGivesTheScalesOfItsEffectivePair) {
  for (const Row &row : kRows) {
    SCOPED_TRACE(row.name);
    const plain::Sample s = resolve(row);
    EXPECT_EQ(s.angleScaleX, row.heff / kW);
    EXPECT_EQ(s.angleScaleY, row.veff / kHf);
    EXPECT_EQ(s.planeScaleX, std::tan(row.heff * 0.5) * (2 / kW) * kFocus);
    EXPECT_EQ(s.planeScaleY, std::tan(row.veff * 0.5) * (2 / kHf) * kFocus);
    // The resolution lives in the sample only: the instance keeps its values.
    const SavedState saved = savedState(instance);
    EXPECT_EQ(saved.values[0], static_cast<float>(kH));
    EXPECT_EQ(saved.values[1], static_cast<float>(kV));
  }
}

TEST_F(FovResolution, DerivedAxesFollowTheFilmAspect) {
  // Both perspective: one plane scale on both axes whatever the aspect.
  const plain::Sample p = resolve(kRows[0], kH, kV, 0.05, 0.02);
  EXPECT_NEAR(p.planeScaleX, 2 * std::tan(kH / 2) * kFocus / 0.05, 1e-12);
  EXPECT_NEAR(p.planeScaleY, p.planeScaleX, 1e-12);
  // Both angular: one angle scale on both axes.
  const plain::Sample a = resolve(kRows[3], kH, kV, 0.05, 0.02);
  EXPECT_NEAR(a.angleScaleY, kH / 0.05, 1e-12);
  EXPECT_EQ(a.angleScaleX, kH / 0.05);
  // A full turn on a 3:2 film gives a vertical 4π/3.
  const plain::Sample turn = resolve(kRows[3], 2 * kPi, kV, 0.036, 0.024);
  EXPECT_NEAR(turn.angleScaleY * 0.024, 4 * kPi / 3, 1e-12);
}

}  // namespace
}  // namespace skyrind_test
