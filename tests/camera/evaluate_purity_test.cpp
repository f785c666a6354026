// Evaluate runs once per film sample on every render thread: it must neither
// touch the heap nor call the host. New frame is the counter-check that the
// counting allocator and the call log do see the plug-in.
#include <gtest/gtest.h>

#include <vector>

#include "camera_fixture.h"
#include "counting_allocator.h"

namespace skyrind_test {
namespace {

class EvaluatePurity : public CameraFixture {};

TEST_F(EvaluatePurity, EvaluateMakesNoAllocationAndNoHostCall) {
  camera.keyPosition(0.0, {0.0, 1.0, 0.0});
  camera.keyPosition(1.0, {1.0, 2.0, 3.0});
  camera.keyRotation(1.0, {0.5, 0.2, 0.1});
  camera.setFStop(2.8);

  std::vector<void *> instances;
  for (int switches = 0; switches < 8; ++switches) {
    void *instance = create();
    const bool hPerspective = switches & 1, vPerspective = (switches >> 1) & 1;
    setSwitches(instance, hPerspective, vPerspective, (switches >> 2) & 1);
    channel(instance, "HFOV").curve().setStaticValue(hPerspective ? 2.0 : 6.0);
    channel(instance, "VFOV").curve().setStaticValue(vPerspective ? 1.5 : 3.0);

    const std::size_t before = heapCalls.load();
    host.log().clear();
    ASSERT_EQ(newFrame(instance, frameInfo(2)), std::nullopt);
    EXPECT_GT(heapCalls.load(), before) << "the counting allocator does not see the plug-in";
    EXPECT_GT(host.log().size(), 0u) << "the call log does not see the plug-in";
    instances.push_back(instance);
  }

  host.log().clear();
  const std::size_t before = heapCalls.load();
  int written = 0;
  for (void *instance : instances) {
    for (int i = 0; i < 500; ++i) {
      CameraRay ray{};
      const double u = i / 500.0;
      written += handler.evaluate(instance, (u - 0.5) * kFilmWidth, (0.5 - u) * kFilmHeight * 0.7,
                                  i % 3 ? 0.3 : 0.0, i % 2 ? -0.6 : 0.0, u, ray);
    }
  }
  EXPECT_EQ(heapCalls.load(), before);
  EXPECT_EQ(host.log().size(), 0u);
  EXPECT_EQ(written, 8 * 500);
}

}  // namespace
}  // namespace skyrind_test
