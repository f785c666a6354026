// Thousands of frames on many instances: a new frame on every instance, then
// evaluate on every core at once, threads joined before the next new frame.
// The same inputs must give the same rays bit for bit every frame, and the
// heap must not grow once the first frames have warmed it up.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

#include "refhost/bindings/camera_handler_binding.h"
#include "refhost/bindings/camera_interface_binding.h"

namespace {

constexpr int kInstances = 8;
constexpr int kFrames = 1500;
constexpr int kWarmUpFrames = 50;
constexpr int kRaysPerInstance = 64;
constexpr double kFilmWidth = 0.036, kFilmHeight = 0.024;  // metres

bool sanitized() {
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer) || __has_feature(address_sanitizer)
  return true;
#endif
#endif
  return false;
}

struct RayInput {
  double filmX, filmY, lensX, lensY, time;
};

// Film positions across the frame, lens points on the aperture and times
// across the exposure; one set for every instance.
std::vector<RayInput> rayInputs() {
  std::vector<RayInput> inputs;
  for (int i = 0; i < kRaysPerInstance; ++i) {
    const double u = (i % 8) / 7.0 - 0.5, v = (i / 8) / 7.0 - 0.5;
    inputs.push_back(
        {u * kFilmWidth, v * kFilmHeight, (i % 3) * 0.4 - 0.4, (i % 5) * 0.2 - 0.4, (i % 9) / 8.0});
  }
  return inputs;
}

class FrameStress : public testing::Test {
 protected:
  void SetUp() override {
    host.log().setEnabled(false);
    ASSERT_TRUE(handler.ok());
    for (int i = 0; i < kInstances; ++i) {
      refhost::Item &camera = host.addCamera("Camera" + std::to_string(i));
      camera.keyPosition(0.0, {0.0, 1.0, 0.0});
      camera.keyPosition(1.0, {1.0 + i, 1.0, 2.0});
      camera.keyRotation(0.0, {0.0, 0.0, 0.0});
      camera.keyRotation(1.0, {0.3 * i, -0.2, 0.1});
      camera.setFocalDistance(2.0 + i);
      camera.setFStop(2.8);
      void *instance = handler.create(camera.handle()).instance;
      ASSERT_NE(instance, nullptr);
      // Every instance in a different one of the eight mode cases.
      refhost::CameraInterfaceBinding ui(module, host, instance);
      ASSERT_TRUE(ui.ok() && ui.panel());
      ui.panel()->edit(0x8003, i & 1);
      ui.panel()->edit(0x8004, (i >> 1) & 1);
      ui.panel()->edit(0x8005, (i >> 2) & 1);
      cameras.push_back(&camera);
      instances.push_back(instance);
    }
  }
  void TearDown() override {
    for (void *instance : instances) handler.destroy(instance);
  }

  void newFrames(int frameNumber) {
    for (int i = 0; i < kInstances; ++i) {
      FrameInfo frame{frameNumber, 0.25, 0.5, 24.0, 1 + i % 3};
      ASSERT_EQ(
          handler.newFrame(instances[i], frame,
                           refhost::cameraAccess(cameras[i]->handle(), kFilmWidth, kFilmHeight)),
          std::nullopt);
    }
  }

  // Every thread evaluates every ray of every instance into its own rays.
  std::vector<std::vector<CameraRay>> evaluateOnEveryCore(unsigned threads) {
    std::vector<std::vector<CameraRay>> rays(threads,
                                             std::vector<CameraRay>(kInstances * inputs.size()));
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
      workers.emplace_back([this, &rays, t] {
        std::size_t k = 0;
        for (void *instance : instances)
          for (const RayInput &in : inputs)
            if (handler.evaluate(instance, in.filmX, in.filmY, in.lensX, in.lensY, in.time,
                                 rays[t][k++]) != 1)
              rays[t][k - 1].origin[0] = -12345.0;  // marks a refused ray
      });
    }
    for (std::thread &w : workers) w.join();
    return rays;
  }

  refhost::Host host;
  refhost::Host::Installation installed = host.install();
  refhost::Module module{SKYRIND_PLUGIN_PATH};
  refhost::CameraHandlerBinding handler{module, host};
  std::vector<refhost::Item *> cameras;
  std::vector<void *> instances;
  const std::vector<RayInput> inputs = rayInputs();
  const unsigned threads = std::max(2u, std::thread::hardware_concurrency());
};

bool sameRays(const std::vector<CameraRay> &a, const std::vector<CameraRay> &b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(CameraRay)) == 0;
}

TEST_F(FrameStress, SameInputsGiveTheSameRaysOnEveryCoreEveryFrame) {
  newFrames(0);
  const std::vector<CameraRay> reference = evaluateOnEveryCore(1).front();
  for (const CameraRay &ray : reference) ASSERT_NE(ray.origin[0], -12345.0);

  const int frames = sanitized() ? kFrames / 5 : kFrames;
  for (int frame = 1; frame <= frames; ++frame) {
    newFrames(frame);
    const auto rays = evaluateOnEveryCore(threads);
    for (unsigned t = 0; t < threads; ++t)
      ASSERT_TRUE(sameRays(rays[t], reference)) << "frame " << frame << ", thread " << t;
  }
}

// Bytes of C heap in use: glibc's count, or on Windows the sum of msvcrt.dll's
// used blocks (the module and this test share that runtime's heap).
std::size_t heapInUse() {
#ifdef _WIN32
  std::size_t used = 0;
  _HEAPINFO entry{};
  while (_heapwalk(&entry) == _HEAPOK)
    if (entry._useflag == _USEDENTRY) used += entry._size;
  return used;
#else
  return mallinfo2().uordblks;
#endif
}

TEST_F(FrameStress, HeapStaysFlatAcrossFrames) {
  if (sanitized()) GTEST_SKIP() << "sanitizer allocators do not report through mallinfo2";
  for (int frame = 0; frame < kWarmUpFrames; ++frame) {
    newFrames(frame);
    evaluateOnEveryCore(threads);
  }
  const std::size_t warm = heapInUse();
  for (int frame = kWarmUpFrames; frame < kFrames; ++frame) {
    newFrames(frame);
    evaluateOnEveryCore(threads);
  }
  const std::size_t after = heapInUse();
  // Allocator bookkeeping may move a little; a leak of one table per frame
  // would be hundreds of kilobytes here.
  EXPECT_LT(after, warm + 64 * 1024) << "heap in use grew from " << warm << " to " << after;
}

}  // namespace
