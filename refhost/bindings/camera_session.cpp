#include "refhost/bindings/camera_session.h"

namespace refhost {

CameraSession::CameraSession(const std::string &pluginPath, CallLogging logging,
                             const HostProfile &profile, const std::string &serverName)
    : host_(profile),
      installed_(host_.install()),
      module_(pluginPath),
      handler_(module_, host_, kProfileVersions, serverName),
      camera_(host_.addCamera("Camera")) {
  if (logging == CallLogging::Off) {
    host_.log().setEnabled(false);
    host_.log().clear();
  }
  if (!handler_.ok())
    fail("the camera handler did not activate (status " + std::to_string(handler_.status()) + ")");
  CreateResult created = handler_.create(camera_.handle());
  if (created.instance == nullptr)
    fail("no camera instance: " + created.error.value_or("no reason"));
  instance_ = created.instance;
  interface_ = std::make_unique<CameraInterfaceBinding>(module_, host_, instance_, kProfileVersions,
                                                        serverName);
  panel_ = interface_->panel();
  if (!interface_->ok() || panel_ == nullptr) {
    const int status = interface_->status();
    interface_.reset();
    handler_.destroy(instance_);
    fail("the camera interface gave no panel (status " + std::to_string(status) + ")");
  }
}

CameraSession::~CameraSession() {
  interface_.reset();
  if (instance_ != nullptr) handler_.destroy(instance_);
}

void CameraSession::fail(const std::string &reason) const {
  throw SessionError(module_.path(), reason);
}

void CameraSession::edit(uint32_t id, double value) {
  if (panel_->edit(id, value) != 1) fail("the panel refused control " + std::to_string(id));
}

Channel &CameraSession::channel(const std::string &name) {
  Channel *found = host_.channels().find(camera_.channelGroup(), name);
  if (found == nullptr) fail("no channel " + name);
  return *found;
}

StateBlock CameraSession::save(StateEncoding encoding) {
  SaveResult saved = handler_.save(instance_, encoding);
  if (saved.error) fail("save failed: " + *saved.error);
  return saved.block;
}

void CameraSession::load(const StateBlock &block) {
  if (Message error = handler_.load(instance_, block))
    fail("the plug-in refused its data: " + *error);
}

void CameraSession::newFrame(const FrameInfo &frame, double filmWidth, double filmHeight) {
  host_.setTime(frame.start);
  const CameraAccess access = cameraAccess(camera_.handle(), filmWidth, filmHeight);
  if (Message error = handler_.newFrame(instance_, frame, access))
    fail("new frame failed: " + *error);
}

CameraRay CameraSession::ray(double filmX, double filmY, double lensX, double lensY,
                             double fracTime) {
  CameraRay out{};
  if ((evaluate(filmX, filmY, lensX, lensY, fracTime, out) & CAMERA_RAY_WRITTEN) == 0)
    fail("evaluate gave no ray");
  return out;
}

std::array<double, 16> CameraSession::preview(double time, double filmWidth, double filmHeight,
                                              double lensX, double lensY) {
  host_.setTime(time);
  std::array<double, 16> matrix{};
  const CameraAccess access = cameraAccess(camera_.handle(), filmWidth, filmHeight);
  if (handler_.preview(instance_, lensX, lensY, matrix.data(), access, eye_) != 1)
    fail("the preview callback gave no matrix");
  return matrix;
}

}  // namespace refhost
