// A reference host with one camera and the built plug-in's camera handler,
// reached as the host reaches it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "panel/control_ids.h"
#include "plain_transcription.h"
#include "refhost/bindings/camera_session.h"
#include "support/saved_state.h"

namespace skyrind_test {

// The angle between two directions, radians.
inline double angleBetween(const double (&a)[3], const double (&b)[3]) {
  const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  const double la = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
  const double lb = std::sqrt(b[0] * b[0] + b[1] * b[1] + b[2] * b[2]);
  return std::acos(std::clamp(dot / (la * lb), -1.0, 1.0));
}

// The plug-in's PI: 4·atan(1).
inline const double kPi = std::atan(1.0) * 4;

// Film size in film units (a 36 × 24 frame).
constexpr double kFilmWidth = 0.036;
constexpr double kFilmHeight = 0.024;

inline FrameInfo frameInfo(int motionSteps, double start = 0.0, double duration = 1.0) {
  FrameInfo frame{};
  frame.frame = 7;
  frame.start = start;
  frame.duration = duration;
  frame.framesPerSecond = 24.0;
  frame.motionSteps = motionSteps;
  return frame;
}

// A camera session (the session's own instance stays in the background),
// and further instances created for the camera item or any other one. The
// tests reach every instance as the host does: switches through the panel's
// set, parameters through the channels the panel's get names.
class CameraFixture : public testing::Test {
 protected:
  void TearDown() override {
    for (void *instance : live_) handler.destroy(instance);
  }

  // A new instance for the camera item, destroyed at the end of the test.
  void *create(refhost::Item *item = nullptr) {
    refhost::CreateResult created = handler.create((item ? *item : camera).handle());
    EXPECT_NE(created.instance, nullptr);
    EXPECT_EQ(created.error, std::nullopt);
    if (created.instance) live_.push_back(created.instance);
    return created.instance;
  }

  void destroy(void *instance) {
    std::erase(live_, instance);
    handler.destroy(instance);
  }

  // Sets a switch (or any integer control) as the host's panel does: the
  // panel's set with a 32-bit integer.
  void setSwitch(void *instance, uint32_t id, int32_t value) {
    EXPECT_EQ(session.panel().setter()(instance, id, &value), 1) << id;
  }
  // The five switches through the panel's set; both automatic fields of
  // view on, which the panel never leaves, come from a scene block.
  void setSwitches(void *instance, int32_t hPerspective, int32_t vPerspective,
                   int32_t verticalPanorama, int32_t autoHFov = 0, int32_t autoVFov = 0) {
    if (autoHFov && autoVFov) {
      loadState(instance, {{},
                           {static_cast<int16_t>(hPerspective), static_cast<int16_t>(vPerspective),
                            static_cast<int16_t>(verticalPanorama), static_cast<int16_t>(autoHFov),
                            static_cast<int16_t>(autoVFov)}});
      return;
    }
    setSwitch(instance, skyrind::kHorizontalPerspective, hPerspective);
    setSwitch(instance, skyrind::kVerticalPerspective, vPerspective);
    setSwitch(instance, skyrind::kVerticalPanorama, verticalPanorama);
    setSwitch(instance, skyrind::kAutoHorizontalFov, autoHFov);
    setSwitch(instance, skyrind::kAutoVerticalFov, autoVFov);
  }

  // The parameter handle the panel's get gives for one of the instance's
  // parameters, "HFOV", "VFOV", "HShift" or "VShift", and its host channel.
  void *parameter(void *instance, const std::string &name) {
    const uint32_t id = name == "HFOV"     ? skyrind::kHorizontalFov
                        : name == "VFOV"   ? skyrind::kVerticalFov
                        : name == "HShift" ? skyrind::kHorizontalShift
                                           : skyrind::kVerticalShift;
    return session.panel().getter()(instance, id);
  }
  refhost::Channel &channel(void *instance, const std::string &name) {
    refhost::Channel *found = host.channels().find(parameter(instance, name));
    if (!found || found->name() != name) throw std::runtime_error("no channel " + name);
    return *found;
  }

  refhost::Message newFrame(void *instance, const FrameInfo &frame, double filmWidth = kFilmWidth,
                            double filmHeight = kFilmHeight, refhost::Item *item = nullptr) {
    return handler.newFrame(
        instance, frame,
        refhost::cameraAccess((item ? *item : camera).handle(), filmWidth, filmHeight));
  }

  CameraRay ray(void *instance, double filmX, double filmY, double lensX = 0, double lensY = 0,
                double fracTime = 0) {
    CameraRay out{};
    EXPECT_EQ(handler.evaluate(instance, filmX, filmY, lensX, lensY, fracTime, out), 1);
    return out;
  }

  // The host values an instance reads, for the plain transcription.
  plain::HostScene hostScene(void *instance, const plain::Switches &switches,
                             double filmWidth = kFilmWidth, double filmHeight = kFilmHeight) {
    return {&camera,
            &channel(instance, "HFOV"),
            &channel(instance, "VFOV"),
            &channel(instance, "HShift"),
            &channel(instance, "VShift"),
            switches,
            filmWidth,
            filmHeight};
  }

  SavedState savedState(void *instance) { return skyrind_test::savedState(handler, instance); }
  void loadState(void *instance, const SavedState &state) {
    skyrind_test::loadState(handler, instance, state);
  }

  refhost::CameraSession session{SKYRIND_PLUGIN_PATH};
  refhost::Host &host = session.host();
  refhost::Item &camera = session.camera();
  refhost::CameraHandlerBinding &handler = session.handler();

 private:
  std::vector<void *> live_;
};

}  // namespace skyrind_test
