// Rays from the evaluate callback: sample selection, hand-derived directions
// in each of the eight modes, lens offsets, symmetries and degenerate cases.
#include <cmath>
#include <cstring>
#include <limits>

#include "camera_fixture.h"

namespace skyrind_test {
namespace {

using V = refhost::Vec3;

V of(const skyrind::Vec3 &v) {
  return {v.x, v.y, v.z};
}
V of(const double (&v)[3]) {
  return {v[0], v[1], v[2]};
}
V plus(const V &a, const V &b) {
  return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
V times(double k, const V &a) {
  return {k * a[0], k * a[1], k * a[2]};
}
double dot(const V &a, const V &b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
V unit(const V &a) {
  return times(1 / std::sqrt(dot(a, a)), a);
}
V cross(const V &a, const V &b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
// v turned about the unit axis u by angle radians (vector Rodrigues form).
V turned(const V &v, const V &u, double angle) {
  return plus(plus(times(std::cos(angle), v), times(std::sin(angle), cross(u, v))),
              times(dot(u, v) * (1 - std::cos(angle)), u));
}
// v mirrored in the plane whose normal is the unit vector n.
V mirrored(const V &v, const V &n) {
  return plus(v, times(-2 * dot(v, n), n));
}

#define EXPECT_VEC_NEAR(actual, expected, tolerance)                             \
  do {                                                                           \
    const V a_ = (actual), e_ = (expected);                                      \
    for (int i_ = 0; i_ < 3; ++i_) EXPECT_NEAR(a_[i_], e_[i_], tolerance) << i_; \
  } while (0)

struct Mode {
  int verticalPanorama, hPerspective, vPerspective;
};
const Mode kModes[] = {{0, 1, 1}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0},
                       {1, 1, 1}, {1, 1, 0}, {1, 0, 1}, {1, 0, 0}};

class RayEvaluation : public CameraFixture {
 protected:
  void SetUp() override {
    camera.setRotation({0.3, -0.2, 0.1});
    camera.setPosition({1, 2, 3});
    camera.setFocalDistance(2.0);
  }

  // An instance in the mode with its table built for one frame.
  void *prepare(const Mode &mode, double hFov = 2 * kPi, double vFov = kPi, double hShift = 0,
                double vShift = 0, int motionSteps = 0) {
    void *instance = create();
    setSwitches(instance, mode.hPerspective, mode.vPerspective, mode.verticalPanorama);
    channel(instance, "HFOV").curve().setStaticValue(hFov);
    channel(instance, "VFOV").curve().setStaticValue(vFov);
    channel(instance, "HShift").curve().setStaticValue(hShift);
    channel(instance, "VShift").curve().setStaticValue(vShift);
    EXPECT_EQ(newFrame(instance, frameInfo(motionSteps)), std::nullopt);
    // The first sample as the plain transcription derives it from the same
    // host values (its table equals the plug-in's bit for bit).
    plain::Switches switches;
    switches.verticalPanorama = mode.verticalPanorama;
    switches.hPerspective = mode.hPerspective;
    switches.vPerspective = mode.vPerspective;
    const plain::HostScene scene = hostScene(instance, switches);
    first_ = plain::sampleTable(scene, frameInfo(motionSteps)).at(0);
    s = &first_;
    return instance;
  }

  const plain::Sample *s = nullptr;

 private:
  plain::Sample first_{};
};

TEST_F(RayEvaluation, WithoutATableNoRayIsWritten) {
  void *instance = create();
  CameraRay ray, before;
  std::memset(&ray, 0xAB, sizeof ray);
  before = ray;
  EXPECT_EQ(handler.evaluate(instance, 0.01, 0.01, 0.5, 0.5, 0.5, ray), 0);
  EXPECT_EQ(std::memcmp(&ray, &before, sizeof ray), 0);
}

TEST_F(RayEvaluation, FractionalTimePicksOneEntryAndNeverReadsOutsideTheTable) {
  camera.keyPosition(0.0, {0, 0, 0});
  camera.keyPosition(1.0, {4, 0, 0});  // entry k sits at x = k
  void *instance = prepare(kModes[3], 2 * kPi, kPi, 0, 0, 1);
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double fracTime, x;
  } picks[] = {{0, 0},    {0.2499, 0}, {0.25, 1}, {0.999, 3}, {1, 4},    {-0.5, 0},
               {-inf, 0}, {NAN, 0},    {1.5, 4},  {inf, 4},   {1e300, 4}};
  for (const auto &pick : picks) {
    const CameraRay r = ray(instance, 0.001, 0.002, 0, 0, pick.fracTime);
    EXPECT_EQ(r.origin[0], pick.x) << pick.fracTime;
  }
}

TEST_F(RayEvaluation, TheShiftedFilmCentreLooksAlongForwardAndALensAtRestStartsAtThePosition) {
  for (const Mode &mode : kModes) {
    SCOPED_TRACE(testing::Message()
                 << mode.verticalPanorama << mode.hPerspective << mode.vPerspective);
    void *instance = prepare(mode, 1.5, 0.9, 0.1, -0.2);
    const CameraRay centre = ray(instance, -s->shiftX, -s->shiftY);
    EXPECT_VEC_NEAR(of(centre.direction), of(s->forward), 1e-15);
    EXPECT_EQ(of(centre.facing), of(s->forward));
    for (const V film : {V{-s->shiftX, -s->shiftY, 0}, V{0.013, -0.007, 0}, V{-0.02, 0.011, 0}})
      EXPECT_EQ(of(ray(instance, film[0], film[1]).origin), of(s->position));
  }
}

TEST_F(RayEvaluation, AngularStepsTurnTowardsRightAndUp) {
  void *ordinary = prepare(kModes[3]);  // hFov 2π, vFov π: W/4 pans π/2, Hf/2 tilts π/2
  const V right = of(s->right), up = of(s->up);
  EXPECT_VEC_NEAR(of(ray(ordinary, kFilmWidth / 4, 0).direction), right, 1e-15);
  EXPECT_VEC_NEAR(of(ray(ordinary, -kFilmWidth / 4, 0).direction), times(-1, right), 1e-15);
  EXPECT_VEC_NEAR(of(ray(ordinary, 0, kFilmHeight / 2).direction), up, 1e-15);
  // Tilt π/4 then pan π/2: poles along up.
  EXPECT_VEC_NEAR(of(ray(ordinary, kFilmWidth / 4, kFilmHeight / 4).direction),
                  times(1 / std::sqrt(2.0), plus(right, up)), 1e-15);
  // Pan π/2 to right, then the tilt about right leaves it there: poles along right.
  void *vertical = prepare(kModes[7]);
  EXPECT_VEC_NEAR(of(ray(vertical, kFilmWidth / 4, kFilmHeight / 4).direction), right, 1e-15);
  EXPECT_VEC_NEAR(of(ray(vertical, kFilmWidth / 4, kFilmHeight / 4).facing), right, 1e-15);
}

TEST_F(RayEvaluation, BothAxesPerspectiveAimAtThePlaneOfFocusInEitherOrder) {
  for (const Mode &mode : {kModes[0], kModes[4]}) {
    void *instance = prepare(mode, 1.2, 0.8, 0.05, 0.1);
    for (const V film : {V{0.01, 0.004, 0}, V{-0.017, 0.011, 0}}) {
      const double X = s->shiftX + film[0], Y = s->shiftY + film[1];
      const V target = plus(plus(of(s->focusForward), times(X * s->planeScaleX, of(s->right))),
                            times(Y * s->planeScaleY, of(s->up)));
      const CameraRay r = ray(instance, film[0], film[1]);
      EXPECT_VEC_NEAR(of(r.direction), unit(target), 1e-15);
      EXPECT_EQ(of(r.facing), of(s->forward));
    }
  }
}

TEST_F(RayEvaluation, OneAxisPerspectiveGivesTheSameRayInEitherOrder) {
  for (int hPerspective : {0, 1}) {
    void *ordinary = prepare({0, hPerspective, 1 - hPerspective}, 2.2, 1.4, 0.1, 0.05);
    void *vertical = prepare({1, hPerspective, 1 - hPerspective}, 2.2, 1.4, 0.1, 0.05);
    for (const V in : {V{0.01, -0.008, 0.3}, V{-0.018, 0.012, -0.9}, V{0.004, 0.02, 0.5}}) {
      const CameraRay a = ray(ordinary, in[0], in[1], in[2], -in[2]);
      const CameraRay b = ray(vertical, in[0], in[1], in[2], -in[2]);
      EXPECT_VEC_NEAR(of(a.origin), of(b.origin), 1e-14);
      EXPECT_VEC_NEAR(of(a.direction), of(b.direction), 1e-14);
      EXPECT_VEC_NEAR(of(a.facing), of(b.facing), 1e-14);
    }
  }
}

TEST_F(RayEvaluation, EachLensOffsetTurnsOnlyWithItsOwnRotation) {
  camera.setFStop(0.02);  // lens radius 0.6: offsets far above rounding
  for (const Mode &mode : {kModes[3], kModes[7]}) {
    void *instance = prepare(mode, 5.0, 2.5, 0.1, -0.1);
    const double filmX = 0.009, filmY = 0.005, lensX = 0.7, lensY = -0.4;
    const double pan = (s->shiftX + filmX) * s->angleScaleX;
    const double tilt = -((s->shiftY + filmY) * s->angleScaleY);
    const V right = of(s->right), up = of(s->up);
    const V lensR = turned(times(s->lensRadius * lensX, right), up, pan);
    const V lensU = turned(times(s->lensRadius * lensY, up), right, tilt);
    const V target = mode.verticalPanorama
                         ? turned(turned(of(s->focusForward), up, pan), right, tilt)
                         : turned(turned(of(s->focusForward), right, tilt), up, pan);
    const CameraRay r = ray(instance, filmX, filmY, lensX, lensY);
    EXPECT_VEC_NEAR(of(r.origin), plus(of(s->position), plus(lensR, lensU)), 1e-14);
    EXPECT_VEC_NEAR(of(r.direction), unit(plus(target, times(-1, plus(lensR, lensU)))), 1e-14);
  }
}

TEST_F(RayEvaluation, AZeroLengthDirectionFallsBackToTheFacingVector) {
  camera.setFocalDistance(0.0);
  for (const Mode &mode : kModes) {
    void *instance = prepare(mode, 2.0, 1.0);
    const CameraRay r = ray(instance, 0.007, -0.004);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(std::isnan(r.direction[i]));
    EXPECT_EQ(of(r.direction), of(r.facing));
  }
}

TEST_F(RayEvaluation, MirroringFilmAndLensXMirrorsTheRayInEveryMode) {
  camera.setFStop(0.5);
  for (const Mode &mode : kModes) {
    SCOPED_TRACE(testing::Message()
                 << mode.verticalPanorama << mode.hPerspective << mode.vPerspective);
    void *instance = prepare(mode, 4.0, 2.0);
    const V right = of(s->right), position = of(s->position);
    for (const V in : {V{0.011, 0.006, 0.4}, V{0.017, -0.01, -0.8}}) {
      const CameraRay a = ray(instance, in[0], in[1], in[2], 0.3);
      const CameraRay b = ray(instance, -in[0], in[1], -in[2], 0.3);
      EXPECT_VEC_NEAR(of(b.direction), mirrored(of(a.direction), right), 1e-14);
      EXPECT_VEC_NEAR(of(b.facing), mirrored(of(a.facing), right), 1e-14);
      EXPECT_VEC_NEAR(plus(of(b.origin), times(-1, position)),
                      mirrored(plus(of(a.origin), times(-1, position)), right), 1e-14);
    }
  }
}

TEST_F(RayEvaluation, AFullTurnMeetsItselfAtTheSeam) {
  for (const Mode &mode : {kModes[2], kModes[3], kModes[7]}) {
    void *instance = prepare(mode);
    for (double filmY : {0.0, 0.005, -0.009}) {
      const CameraRay left = ray(instance, -kFilmWidth / 2, filmY);
      const CameraRay right = ray(instance, kFilmWidth / 2, filmY);
      EXPECT_VEC_NEAR(of(left.direction), of(right.direction), 1e-14);
      const double step = kFilmWidth * 1e-6;  // 2π · 1e-6 either side of the seam
      const V inside = of(ray(instance, kFilmWidth / 2 - step, filmY).direction);
      const V across = of(ray(instance, -kFilmWidth / 2 + step, filmY).direction);
      const V gap = plus(inside, times(-1, across));
      EXPECT_LT(std::sqrt(dot(gap, gap)), 4 * kPi * 1e-6 + 1e-12);
    }
  }
  const CameraRay back = ray(prepare(kModes[3]), kFilmWidth / 2, 0);
  EXPECT_VEC_NEAR(of(back.direction), times(-1, of(s->forward)), 1e-15);
}

}  // namespace
}  // namespace skyrind_test
