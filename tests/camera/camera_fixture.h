// A reference host with one camera and the built plug-in's camera handler,
// plus shortcuts to the instance's own record and its host channels.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "camera/instance.h"
#include "refhost/bindings/camera_handler_binding.h"

namespace skyrind_test {

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

  static skyrind::CameraInstance &fields(void *instance) {
    return *static_cast<skyrind::CameraInstance *>(instance);
  }

  static const skyrind::FrameSample &sample(void *instance, unsigned index) {
    return fields(instance).samples[index];
  }

  // The host channel behind one of the instance's parameters: "HFOV",
  // "VFOV", "HShift" or "VShift".
  refhost::Channel &channel(void *instance, const std::string &name) {
    auto &c = fields(instance);
    void *handle = name == "HFOV"     ? c.hFovParm
                   : name == "VFOV"   ? c.vFovParm
                   : name == "HShift" ? c.hShiftParm
                                      : c.vShiftParm;
    refhost::Channel *found = host.channels().find(handle);
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

  refhost::Host host;
  refhost::Host::Installation installed = host.install();
  refhost::Item &camera = host.addCamera();
  refhost::Module module{SKYRIND_PLUGIN_PATH};
  refhost::CameraHandlerBinding handler{module, host};

 private:
  std::vector<void *> live_;
};

}  // namespace skyrind_test
