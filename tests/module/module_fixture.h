// A host with one camera and the built plug-in loaded the way the host loads
// it; the handler fixture is a whole camera session (handler, instance and
// panel), reached only as the host reaches it.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "refhost/bindings/camera_session.h"
#include "support/saved_state.h"

namespace skyrind_test {

class LoadedModule : public testing::Test {
 protected:
  refhost::Host host;
  refhost::Host::Installation installed = host.install();
  refhost::Item &camera = host.addCamera();
  refhost::Module module{SKYRIND_PLUGIN_PATH};
};

class HandlerWithInstance : public testing::Test {
 protected:
  void SetUp() override { host.log().clear(); }

  SavedState savedState(void *of = nullptr) {
    return skyrind_test::savedState(handler, of ? of : instance);
  }

  // Everything the host can see of the instance: its saved block, then the
  // preview and rays of a new frame (both read the parameters again).
  struct Observed {
    std::vector<uint8_t> saved;
    std::array<double, 16> preview{};
    std::vector<double> rays;
    bool operator==(const Observed &) const = default;
  };
  Observed observe() {
    Observed seen;
    seen.saved = handler.save(instance, refhost::StateEncoding::Binary).block.bytes;
    const CameraAccess access = refhost::cameraAccess(camera.handle(), 0.036, 0.024);
    handler.preview(instance, 0.25, -0.5, seen.preview.data(), access);
    EXPECT_EQ(handler.newFrame(instance, {0, 0.0, 0.04, 25.0, 1}, access), std::nullopt);
    for (double x : {-0.018, 0.0, 0.011}) {
      for (double y : {-0.012, 0.0, 0.007}) {
        CameraRay ray{};
        EXPECT_EQ(handler.evaluate(instance, x, y, 0, 0, 0.5, ray), 1);
        seen.rays.insert(seen.rays.end(), ray.origin, ray.origin + 3);
        seen.rays.insert(seen.rays.end(), ray.direction, ray.direction + 3);
        seen.rays.insert(seen.rays.end(), ray.facing, ray.facing + 3);
      }
    }
    return seen;
  }

  // The host's channel behind one of the instance's parameters, and its
  // handle as the plug-in holds it.
  refhost::Channel &channel(const char *name) { return session.channel(name); }
  void *parameter(const char *name) { return refhost::ChannelStore::handleOf(channel(name)); }

  refhost::CameraSession session{SKYRIND_PLUGIN_PATH};
  refhost::Host &host = session.host();
  refhost::Item &camera = session.camera();
  const refhost::Module &module = session.module();
  refhost::CameraHandlerBinding &handler = session.handler();
  void *instance = session.instance();
};

}  // namespace skyrind_test
