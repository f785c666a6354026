// An activated "CameraInterface" (version 4) for one instance: the panel the
// plug-in built with the host's panel service.
#pragma once

#include "host/host_abi.h"
#include "refhost/host.h"
#include "refhost/loader/module.h"
#include "refhost/panel.h"

namespace refhost {

class CameraInterfaceBinding {
 public:
  CameraInterfaceBinding(const Module &module, Host &host, void *instance,
                         int version = CAMERA_INTERFACE_VERSION);
  CameraInterfaceBinding(const CameraInterfaceBinding &) = delete;
  CameraInterfaceBinding &operator=(const CameraInterfaceBinding &) = delete;

  int status() const { return status_; }
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
  int status_;
};

}  // namespace refhost
