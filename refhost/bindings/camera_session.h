// The host's side of one panoramic camera: a reference host, the loaded
// plug-in with both servers active, a camera item, the plug-in's instance for
// it and the panel the interface built. Everything reaches the plug-in as a
// host does: controls through the panel, values through the channels,
// results through evaluate, preview and save.
#pragma once

#include <array>
#include <memory>
#include <stdexcept>
#include <string>

#include "host/host_abi.h"
#include "refhost/bindings/camera_handler_binding.h"
#include "refhost/bindings/camera_interface_binding.h"
#include "refhost/host.h"
#include "refhost/loader/module.h"

namespace refhost {

// A step of the session the plug-in refused; what() is "subject: reason" on
// one line, the subject being the module's path.
class SessionError : public std::runtime_error {
 public:
  SessionError(const std::string &subject, const std::string &reason)
      : std::runtime_error(subject + ": " + reason), reason_(reason) {}
  const std::string &reason() const { return reason_; }

 private:
  std::string reason_;
};

// Whether the host records the plug-in's calls in its call log: tests read
// it; a long render would only fill it.
enum class CallLogging { On, Off };

class CameraSession {
 public:
  // Loads the module (LoadError), activates "CameraHandler", creates the
  // instance for a camera item named "Camera" and activates
  // "CameraInterface" for it (SessionError when any of them fails). The host
  // is current for the session's lifetime.
  explicit CameraSession(const std::string &pluginPath, CallLogging logging = CallLogging::On);
  ~CameraSession();
  CameraSession(const CameraSession &) = delete;
  CameraSession &operator=(const CameraSession &) = delete;

  Host &host() { return host_; }
  Item &camera() { return camera_; }
  const Module &module() const { return module_; }
  CameraHandlerBinding &handler() { return handler_; }
  CameraInterfaceBinding &interface() { return *interface_; }
  Panel &panel() { return *panel_; }
  void *instance() { return instance_; }

  // Edits a control as a user would (see Panel::edit): angles in radians,
  // shifts as fractions, switches as integers. Throws PanelError for a
  // control the panel does not have, SessionError when its set refuses.
  void edit(unsigned long id, double value);
  // The host channel behind a parameter, found in the camera's channel
  // group: "HFOV", "VFOV", "HShift" or "VShift". Throws SessionError.
  Channel &channel(const std::string &name);

  // The plug-in's data block; throws SessionError on the plug-in's message.
  StateBlock save(StateEncoding encoding = StateEncoding::Text);
  void load(const StateBlock &block);
  // The same in the host's text encoding.
  std::string savePluginData() { return save(StateEncoding::Text).asText(); }
  void loadPluginData(const std::string &text) { load(StateBlock::fromText(text)); }

  // Announces a frame at its start time; film size in film units. Throws
  // SessionError on the plug-in's message.
  void newFrame(const FrameInfo &frame, double filmWidth, double filmHeight);
  // The evaluate callback, safe to call from many threads after newFrame.
  CameraEvaluateFunc evaluate() { return handler_.record().evaluate; }
  // One ray of the last frame; throws SessionError when evaluate fails.
  CameraRay ray(double filmX, double filmY, double lensX = 0, double lensY = 0,
                double fracTime = 0);
  // The preview projection at a time (host storage order P0..P15); throws
  // SessionError when the callback gives no matrix.
  std::array<double, 16> preview(double time, double filmWidth, double filmHeight, double lensX = 0,
                                 double lensY = 0);

 private:
  [[noreturn]] void fail(const std::string &reason) const;

  Host host_;
  Host::Installation installed_;
  Module module_;
  CameraHandlerBinding handler_;
  Item &camera_;
  void *instance_ = nullptr;
  std::unique_ptr<CameraInterfaceBinding> interface_;
  Panel *panel_ = nullptr;
};

}  // namespace refhost
