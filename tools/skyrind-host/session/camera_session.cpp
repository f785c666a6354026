#include "session/camera_session.h"

#include "common/input_error.h"

namespace skyhost {

CameraSession::CameraSession(const std::string &pluginPath)
    : installed_(host_.install()),
      module_(pluginPath),
      handler_(module_, host_),
      camera_(host_.addCamera("Camera")) {
  host_.log().setEnabled(false);
  if (!handler_.ok())
    throw InputError(pluginPath, "the camera handler did not activate (status " +
                                     std::to_string(handler_.status()) + ")");
  refhost::CreateResult created = handler_.create(camera_.handle());
  if (created.instance == nullptr)
    throw InputError(pluginPath, "no camera instance: " + created.error.value_or("no reason"));
  instance_ = created.instance;
  interface_ = std::make_unique<refhost::CameraInterfaceBinding>(module_, host_, instance_);
  panel_ = interface_->panel();
  if (!interface_->ok() || panel_ == nullptr)
    throw InputError(pluginPath, "the camera interface gave no panel (status " +
                                     std::to_string(interface_->status()) + ")");
}

CameraSession::~CameraSession() {
  interface_.reset();
  if (instance_ != nullptr) handler_.destroy(instance_);
}

std::string CameraSession::savePluginData() {
  refhost::SaveResult saved = handler_.save(instance_, refhost::StateEncoding::Text);
  if (saved.error) throw InputError(module_.path(), "save failed: " + *saved.error);
  return saved.block.asText();
}

void CameraSession::loadPluginData(const std::string &text, const std::string &source) {
  refhost::Message error = handler_.load(instance_, refhost::StateBlock::fromText(text));
  if (error) throw InputError(source, "the plug-in refused its data: " + *error);
}

void CameraSession::newFrame(const FrameInfo &frame, double filmWidth, double filmHeight) {
  host_.setTime(frame.start);
  CameraAccess access = refhost::cameraAccess(camera_.handle(), filmWidth, filmHeight);
  if (refhost::Message error = handler_.newFrame(instance_, frame, access))
    throw InputError(module_.path(), "new frame failed: " + *error);
}

std::array<double, 16> CameraSession::preview(double time, double filmWidth, double filmHeight) {
  host_.setTime(time);
  std::array<double, 16> matrix{};
  CameraAccess access = refhost::cameraAccess(camera_.handle(), filmWidth, filmHeight);
  if (handler_.preview(instance_, 0, 0, matrix.data(), access) != 1)
    throw InputError(module_.path(), "the preview callback gave no matrix");
  return matrix;
}

}  // namespace skyhost
