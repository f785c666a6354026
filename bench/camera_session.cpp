#include "bench/camera_session.h"

#include <cmath>
#include <cstdlib>
#include <random>
#include <stdexcept>

#include "camera/instance.h"

namespace bench {

CameraSession::CameraSession(const CameraSetup &setup) : installation_(host_.install()) {
  host_.log().setEnabled(false);
  // SKYRIND_PLUGIN names another build of the plug-in to measure.
  const char *path = std::getenv("SKYRIND_PLUGIN");
  module_ = std::make_unique<refhost::Module>(path ? path : SKYRIND_PLUGIN_PATH);
  handler_ = std::make_unique<refhost::CameraHandlerBinding>(*module_, host_);
  if (!handler_->ok()) throw std::runtime_error("handler activation failed");

  camera_ = &host_.addCamera();
  camera_->keyPosition(0.0, {0.0, 1.5, 0.0});
  camera_->keyPosition(1.0 / 24, {0.1, 1.5, 0.2});
  if (setup.turns) {
    camera_->keyRotation(0.0, {0.3, -0.1, 0.05});
    camera_->keyRotation(1.0 / 24, {0.35, -0.08, 0.06});
  }
  camera_->setFocalDistance(4.0);
  camera_->setFStop(setup.fStop);

  instance_ = handler_->create(camera_->handle()).instance;
  if (!instance_) throw std::runtime_error("create failed");
  // The switches live in the instance alone; the fields of view keep their
  // defaults for angular axes and take the setup's for perspective ones.
  auto *camera = static_cast<skyrind::CameraInstance *>(instance_);
  camera->settings.switches.hPerspective = setup.switches & 1;
  camera->settings.switches.vPerspective = (setup.switches >> 1) & 1;
  camera->settings.switches.verticalPanorama = (setup.switches >> 2) & 1;
  const double perspectiveFov = setup.perspectiveFovDegrees * std::acos(-1.0) / 180.0;
  const double hFov =
      camera->settings.switches.hPerspective ? perspectiveFov : camera->settings.hFov;
  const double vFov =
      camera->settings.switches.vPerspective ? perspectiveFov : camera->settings.vFov;
  host_.channels().find(camera->parameters.hFov)->curve().setStaticValue(hFov);
  host_.channels().find(camera->parameters.vFov)->curve().setStaticValue(vFov);
  newFrame(setup.motionSteps);
}

CameraSession::~CameraSession() {
  if (instance_) handler_->destroy(instance_);
}

void CameraSession::newFrame(int motionSteps) {
  const FrameInfo frame{0, 0.0, 0.5 / 24, 24.0, motionSteps};
  const CameraAccess access = refhost::cameraAccess(camera_->handle(), filmWidth(), filmHeight());
  if (handler_->newFrame(instance_, frame, access)) throw std::runtime_error("new frame failed");
}

std::vector<FilmSample> CameraSession::samples(std::size_t count, bool withLens) const {
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
