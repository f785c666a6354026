// The host's side of one panoramic camera: the loaded plug-in with both of
// its servers active, a camera item in the reference host and the plug-in's
// instance for it, with its panel.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "host/host_abi.h"
#include "refhost/bindings/camera_handler_binding.h"
#include "refhost/bindings/camera_interface_binding.h"
#include "refhost/host.h"
#include "refhost/loader/module.h"

namespace skyhost {

class CameraSession {
 public:
  // Loads the module and activates "CameraHandler" and "CameraInterface";
  // throws InputError naming the module when either fails.
  explicit CameraSession(const std::string &pluginPath);
  ~CameraSession();
  CameraSession(const CameraSession &) = delete;
  CameraSession &operator=(const CameraSession &) = delete;

  refhost::Host &host() { return host_; }
  refhost::Item &camera() { return camera_; }
  refhost::Panel &panel() { return *panel_; }
  void *instance() { return instance_; }

  // The plug-in's data block in the host's text encoding.
  std::string savePluginData();
  // Throws InputError naming source when the plug-in refuses the block.
  void loadPluginData(const std::string &text, const std::string &source);

  // Announces a frame; film size in film units. Throws on the plug-in's message.
  void newFrame(const FrameInfo &frame, double filmWidth, double filmHeight);
  // The evaluate callback, safe to call from many threads after newFrame.
  CameraEvaluateFunc evaluate() { return handler_.record().evaluate; }
  // The preview projection at a time (host storage order P0..P15).
  std::array<double, 16> preview(double time, double filmWidth, double filmHeight);

 private:
  refhost::Host host_;
  refhost::Host::Installation installed_;
  refhost::Module module_;
  refhost::CameraHandlerBinding handler_;
  refhost::Item &camera_;
  void *instance_ = nullptr;
  std::unique_ptr<refhost::CameraInterfaceBinding> interface_;
  refhost::Panel *panel_ = nullptr;
};

}  // namespace skyhost
