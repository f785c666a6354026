// Many render threads evaluating one instance at once get exactly the rays
// one thread gets.
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "camera_fixture.h"

namespace skyrind_test {
namespace {

struct RayInput {
  double filmX, filmY, lensX, lensY, fracTime;
};

class ConcurrentEvaluation : public CameraFixture {};

TEST_F(ConcurrentEvaluation, ThreadsShareOneInstanceWithoutChangingAnyRay) {
  camera.keyRotation(0.0, {0.1, -0.2, 0.05});
  camera.keyRotation(1.0, {1.2, 0.3, -0.4});
  camera.keyPosition(0.0, {0, 0, 0});
  camera.keyPosition(1.0, {2, 1, -3});
  camera.setFStop(1.4);
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(-1, 1), time(0, 1);
  std::vector<RayInput> inputs(4096);
  for (RayInput &in : inputs)
    in = {unit(random) * kFilmWidth, unit(random) * kFilmHeight, unit(random), unit(random),
          time(random)};

  std::vector<void *> instances;
  for (int mode = 0; mode < 8; ++mode) {
    void *instance = create();
    setSwitches(instance, (mode >> 1) & 1, mode >> 2, mode & 1);
    ASSERT_EQ(newFrame(instance, frameInfo(2), kFilmWidth, kFilmHeight), std::nullopt);
    instances.push_back(instance);
  }
  auto trace = [&](std::vector<CameraRay> &out) {
    out.resize(inputs.size() * instances.size());
    std::size_t n = 0;
    for (void *instance : instances)
      for (const RayInput &in : inputs)
        handler.evaluate(instance, in.filmX, in.filmY, in.lensX, in.lensY, in.fracTime, out[n++]);
  };
  std::vector<CameraRay> expected;
  trace(expected);

  const int kThreads = 8;
  std::vector<std::vector<CameraRay>> results(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) threads.emplace_back(trace, std::ref(results[t]));
  for (std::thread &thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) {
    ASSERT_EQ(results[t].size(), expected.size());
    EXPECT_EQ(std::memcmp(results[t].data(), expected.data(), expected.size() * sizeof(CameraRay)),
              0)
        << "thread " << t;
  }
}

}  // namespace
}  // namespace skyrind_test
