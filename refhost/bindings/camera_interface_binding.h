// An activated "CameraInterface" for one instance: the panel the plug-in
// built with the host's panel service.
#pragma once

#include <string>

#include "host/host_abi.h"
#include "refhost/bindings/camera_handler_binding.h"
#include "refhost/host.h"
#include "refhost/loader/module.h"
#include "refhost/panel.h"

namespace refhost {

class CameraInterfaceBinding {
 public:
  // With each version the host's profile offers, newest first, stepping
  // down while the plug-in answers 1; or with the one version given.
  CameraInterfaceBinding(const Module &module, Host &host, void *instance,
                         int version = kProfileVersions, const std::string &serverName = "");
  CameraInterfaceBinding(const CameraInterfaceBinding &) = delete;
  CameraInterfaceBinding &operator=(const CameraInterfaceBinding &) = delete;

  int status() const { return status_; }
  int version() const { return version_; }
  bool ok() const { return status_ == AFUNC_OK; }
  CameraInterface &record() { return record_; }

  // What the host put in the options and command slots before activation.
  static const void *hostOptions();
  static const void *hostCommand();

  // The host's panel the record names, or null.
  Panel *panel() const { return host_.panels().find(record_.panel); }

 private:
  Host &host_;
  CameraInterface record_{};
  int version_ = 0;
  int status_ = AFUNC_BADVERSION;
};

}  // namespace refhost
