#include "bench/bench_camera.h"

#include <cmath>
#include <cstdlib>
#include <random>

#include "panel/control_ids.h"

namespace bench {
namespace {

const char *pluginPath() {
  const char *path = std::getenv("SKYRIND_PLUGIN");
  return path ? path : SKYRIND_PLUGIN_PATH;
}

}  // namespace

// Version 2's callbacks are called straight through the handler record, with
// nothing of the host's between the benchmark and the ray.
BenchCamera::BenchCamera(const CameraSetup &setup)
    : CameraSession(pluginPath(), refhost::CallLogging::On, refhost::HostProfile::lightwave9()) {
  host().log().setEnabled(false);
  refhost::Item &item = camera();
  item.keyPosition(0.0, {0.0, 1.5, 0.0});
  item.keyPosition(1.0 / 24, {0.1, 1.5, 0.2});
  if (setup.turns) {
    item.keyRotation(0.0, {0.3, -0.1, 0.05});
    item.keyRotation(1.0 / 24, {0.35, -0.08, 0.06});
  }
  item.setFocalDistance(4.0);
  item.setFStop(setup.fStop);

  // The switches through the panel; the fields of view keep their defaults
  // for angular axes and take the setup's for perspective ones.
  const bool hPerspective = setup.switches & 1, vPerspective = (setup.switches >> 1) & 1;
  edit(skyrind::kHorizontalPerspective, hPerspective);
  edit(skyrind::kVerticalPerspective, vPerspective);
  edit(skyrind::kVerticalPanorama, (setup.switches >> 2) & 1);
  const double perspectiveFov = setup.perspectiveFovDegrees * std::acos(-1.0) / 180.0;
  if (hPerspective) channel("HFOV").curve().setStaticValue(perspectiveFov);
  if (vPerspective) channel("VFOV").curve().setStaticValue(perspectiveFov);
  newFrame(setup.motionSteps);
}

void BenchCamera::newFrame(int motionSteps) {
  CameraSession::newFrame(frameInfo(motionSteps), filmWidth(), filmHeight());
}

std::vector<FilmSample> BenchCamera::samples(std::size_t count, bool withLens) const {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(-0.5, 0.5);
  std::uniform_real_distribution<double> time(0.0, 1.0);
  std::vector<FilmSample> out(count);
  for (FilmSample &s : out) {
    s.filmX = unit(random) * filmWidth();
    s.filmY = unit(random) * filmHeight();
    s.lensX = s.lensY = 0.0;
    if (withLens) {
      const double r = std::sqrt(time(random)), a = time(random) * 2 * std::acos(-1.0);
      s.lensX = r * std::cos(a);
      s.lensY = r * std::sin(a);
    }
    s.time = time(random);
  }
  return out;
}

}  // namespace bench
