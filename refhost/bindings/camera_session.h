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
  // "CameraInterface" for it (SessionError when any of them fails), under a
  // host of the profile's generation; `serverName` picks one of the
  // module's servers (the first of each class when empty). The host is
  // current for the session's lifetime.
  explicit CameraSession(const std::string &pluginPath, CallLogging logging = CallLogging::On,
                         const HostProfile &profile = HostProfile::fromEnvironment(),
                         const std::string &serverName = "");
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
  void edit(uint32_t id, double value);
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
  // Version 2's evaluate callback (null when the handler took an eye
  // version), safe to call from many threads after newFrame.
  CameraEvaluateFunc evaluate() { return handler_.record().evaluate; }
  // The eye that evaluate and preview pass to eye versions.
  void setEye(int eye) { eye_ = eye; }
  int eye() const { return eye_; }
  // Evaluate as the host calls it, with the session's eye: the plug-in's
  // result bits. Safe to call from many threads after newFrame.
  int evaluate(double filmX, double filmY, double lensX, double lensY, double fracTime,
               CameraRay &ray) {
    return handler_.evaluate(instance_, filmX, filmY, lensX, lensY, fracTime, ray, eye_);
  }
  // One ray of the last frame; throws SessionError when evaluate writes none.
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
  int eye_ = CAMERA_EYE_CENTRE;
  Module module_;
  CameraHandlerBinding handler_;
  Item &camera_;
  void *instance_ = nullptr;
  std::unique_ptr<CameraInterfaceBinding> interface_;
  Panel *panel_ = nullptr;
};

}  // namespace refhost
