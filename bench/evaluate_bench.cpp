// Evaluate per ray for every switch combination, lens at the centre and on
// the aperture, 1 and 4 motion steps, beside the two baselines; and
// throughput with 1, 2, … threads on one instance.
#include <benchmark/benchmark.h>

#include <thread>

#include "bench/baseline_rays.h"
#include "bench/bench_camera.h"

namespace bench {
namespace {

constexpr std::size_t kSampleCount = 1 << 12;

const char *kSwitchNames[8] = {"angular",       "hPersp",       "vPersp",       "persp",
                               "vpano_angular", "vpano_hPersp", "vpano_vPersp", "vpano_persp"};

// Calls `evaluate` over film samples spread across the film, round robin.
void runRays(benchmark::State &state, CameraEvaluateFunc evaluate, void *instance,
             const std::vector<FilmSample> &samples) {
  CameraRay ray{};
  std::size_t i = 0;
  for (auto _ : state) {
    const FilmSample &s = samples[i];
    benchmark::DoNotOptimize(evaluate(instance, s.filmX, s.filmY, s.lensX, s.lensY, s.time, &ray));
    benchmark::ClobberMemory();
    i = (i + 1) & (kSampleCount - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

// Args: switches (0..7), lens (0 centre, 1 aperture), motion steps.
void BM_Evaluate(benchmark::State &state) {
  const int switches = static_cast<int>(state.range(0));
  const bool lens = state.range(1) != 0;
  BenchCamera session({switches, static_cast<int>(state.range(2)), lens ? 2.8 : 1e30});
  state.SetLabel(kSwitchNames[switches]);
  runRays(state, session.evaluate(), session.instance(), session.samples(kSampleCount, lens));
}
BENCHMARK(BM_Evaluate)->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7}, {0, 1}, {1, 4}});

// Arg: 0 equirectangular, 1 pinhole.
void BM_Baseline(benchmark::State &state) {
  const bool pinhole = state.range(0) != 0;
  BenchCamera session({pinhole ? 3 : 0, 1});
  state.SetLabel(pinhole ? "pinhole" : "equirectangular");
  BaselineFrame frame = baselineFrame(session, 1);
  runRays(state, pinhole ? pinholeBaseline : equirectangularBaseline, &frame,
          session.samples(kSampleCount, false));
}
BENCHMARK(BM_Baseline)->Arg(0)->Arg(1);

// One instance shared by every thread, as the host's render threads do.
BenchCamera *sharedSession = nullptr;

void BM_EvaluateThreads(benchmark::State &state) {
  if (state.thread_index() == 0) sharedSession = new BenchCamera({0, 1, 2.8});
  // The benchmark library starts every thread's loop together, after setup.
  const std::vector<FilmSample> samples = [&] {
    while (!sharedSession) std::this_thread::yield();
    return sharedSession->samples(kSampleCount, true);
  }();
  runRays(state, sharedSession->evaluate(), sharedSession->instance(), samples);
  if (state.thread_index() == 0) {
    delete sharedSession;
    sharedSession = nullptr;
  }
}
BENCHMARK(BM_EvaluateThreads)->ThreadRange(1, 8)->UseRealTime();

}  // namespace
}  // namespace bench
