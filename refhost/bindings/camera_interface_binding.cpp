#include "refhost/bindings/camera_interface_binding.h"

namespace refhost {
namespace {

// The slots as the host fills them before activation; the plug-in replaces them.
const char *hostOptionsFunc(void *) {
  return nullptr;
}
const char *hostCommandFunc(void *, const char *) {
  return nullptr;
}

}  // namespace

const void *CameraInterfaceBinding::hostOptions() {
  return reinterpret_cast<const void *>(hostOptionsFunc);
}
const void *CameraInterfaceBinding::hostCommand() {
  return reinterpret_cast<const void *>(hostCommandFunc);
}

CameraInterfaceBinding::CameraInterfaceBinding(const Module &module, Host &host, void *instance,
                                               int version)
    : host_(host) {
  record_.inst = instance;
  record_.options = hostOptionsFunc;
  record_.command = hostCommandFunc;
  status_ = module.activate(CAMERA_INTERFACE_CLASS, version, Host::globalLookup(), &record_);
}

}  // namespace refhost
