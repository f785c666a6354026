// Ratios measured side by side: two ray functions run in alternating windows
// of rays within one benchmark, and each keeps its fastest window, so load
// that comes and goes on the machine falls on both alike and stays out of
// the ratio. Reported as counters: `ns` and `against_ns` per ray, `ratio`.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "bench/baseline_rays.h"
#include "bench/bench_camera.h"
#include "bench/vr_rays.h"

namespace bench {
namespace {

constexpr std::size_t kWindow = 4096;  // rays per timed window, all distinct

struct Contender {
  CameraEvaluateFunc evaluate;
  void *instance;
  std::vector<FilmSample> samples;
};

double secondsPerRay(const Contender &c) {
  CameraRay ray{};
  const auto start = std::chrono::steady_clock::now();
  for (const FilmSample &s : c.samples) {
    benchmark::DoNotOptimize(
        c.evaluate(c.instance, s.filmX, s.filmY, s.lensX, s.lensY, s.time, &ray));
    benchmark::ClobberMemory();
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count() / static_cast<double>(c.samples.size());
}

void compare(benchmark::State &state, const Contender &subject, const Contender &against) {
  double best = std::numeric_limits<double>::infinity(), bestAgainst = best;
  for (auto _ : state) {
    best = std::min(best, secondsPerRay(subject));
    bestAgainst = std::min(bestAgainst, secondsPerRay(against));
  }
  state.counters["ns"] = best * 1e9;
  state.counters["against_ns"] = bestAgainst * 1e9;
  state.counters["ratio"] = best / bestAgainst;
  state.SetItemsProcessed(state.iterations() * 2 * static_cast<int64_t>(kWindow));
}

// Args: switches 0..7 (bit 0 horizontal perspective, bit 1 vertical
// perspective, bit 2 vertical panorama), lens (0 centre, 1 aperture).
// Against the pinhole baseline when both axes are perspective, else the
// equirectangular one.
void BM_AgainstBaseline(benchmark::State &state) {
  const int switches = static_cast<int>(state.range(0));
  const bool lens = state.range(1) != 0;
  const bool perspective = (switches & 3) == 3;
  BenchCamera camera({switches, 1, lens ? 2.8 : 1e30});
  BenchCamera floor({perspective ? 3 : 0, 1});
  BaselineFrame floorFrame = baselineFrame(floor, 1);
  state.SetLabel(perspective ? "pinhole" : "equirectangular");
  compare(state, {camera.evaluate(), camera.instance(), camera.samples(kWindow, lens)},
          {perspective ? pinholeBaseline : equirectangularBaseline, &floorFrame,
           floor.samples(kWindow, false)});
}
BENCHMARK(BM_AgainstBaseline)->ArgsProduct({benchmark::CreateDenseRange(0, 7, 1), {0, 1}});

// Arg: switches 0..7. Depth of field at f/2.8 with lens positions over the
// aperture, against the same case with the lens at the centre of a pinhole.
void BM_DepthOfFieldCost(benchmark::State &state) {
  const int switches = static_cast<int>(state.range(0));
  BenchCamera withLens({switches, 1, 2.8});
  BenchCamera without({switches, 1, 1e30});
  compare(state, {withLens.evaluate(), withLens.instance(), withLens.samples(kWindow, true)},
          {without.evaluate(), without.instance(), without.samples(kWindow, false)});
}
BENCHMARK(BM_DepthOfFieldCost)->DenseRange(0, 7);

// The first `count` film positions of the bench's spread that lie in the
// dome's circle, so that every call makes a ray.
std::vector<FilmSample> insideDome(const BenchCamera &camera, std::size_t count) {
  const double h = std::min(BenchCamera::filmWidth(), BenchCamera::filmHeight()) / 2;
  std::vector<FilmSample> inside;
  for (const FilmSample &s : camera.samples(4 * count, false)) {
    if (inside.size() < count && std::hypot(s.filmX, s.filmY) <= h) inside.push_back(s);
  }
  return inside;
}

// Arg: 0 stereo 360 with its defaults (both eyes, parallel, poles merged from
// 60° to 75°), 1 the same converged at 2 m, 2 VR180 (both eyes), 3 the 180°
// dome; each on the poses of the equirectangular baseline and against it.
void BM_VrAgainstBaseline(benchmark::State &state) {
  using skyrind::VrCamera;
  const int which = static_cast<int>(state.range(0));
  const VrCamera camera = which <= 1   ? VrCamera::Stereo360
                          : which == 2 ? VrCamera::VR180
                                       : VrCamera::Dome;
  const double pi = std::acos(-1.0);
  skyrind::StereoSettings stereo = skyrind::defaultStereoSettings(pi);
  if (which == 1) stereo.convergence = 2.0;
  BenchCamera floor({0, 1});
  BaselineFrame floorFrame = baselineFrame(floor, 1);
  VrFrame frame = vrFrame(floorFrame, camera, stereo, skyrind::defaultDomeSettings(pi));
  const char *names[] = {"stereo 360", "stereo 360 converged", "VR180", "dome"};
  state.SetLabel(names[which]);
  compare(state,
          {vrEvaluate, &frame,
           camera == VrCamera::Dome ? insideDome(floor, kWindow) : floor.samples(kWindow, false)},
          {equirectangularBaseline, &floorFrame, floor.samples(kWindow, false)});
}
BENCHMARK(BM_VrAgainstBaseline)->DenseRange(0, 3);

}  // namespace
}  // namespace bench
