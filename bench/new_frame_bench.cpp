// New-frame cost against motion steps: it should grow linearly with the
// sampleCount + 1 samples it fills.
#include <benchmark/benchmark.h>

#include "bench/bench_camera.h"

namespace bench {
namespace {

void BM_NewFrame(benchmark::State &state) {
  const int steps = static_cast<int>(state.range(0));
  BenchCamera session({0, steps});
  for (auto _ : state) session.newFrame(steps);
  state.counters["samples"] = 4.0 * steps + 1;
  state.counters["per_sample"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * (4.0 * steps + 1),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_NewFrame)->Arg(0)->Arg(1)->Arg(4)->Arg(16)->Arg(64);

}  // namespace
}  // namespace bench
