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
                                               int version, const std::string &serverName)
    : host_(host) {
  record_.inst = instance;
  record_.options = hostOptionsFunc;
  record_.command = hostCommandFunc;
  const std::vector<int> offered =
      version == kProfileVersions ? host.profile().interfaceVersions : std::vector<int>{version};
  for (int v : offered) {
    version_ = v;
    status_ =
        module.activate(CAMERA_INTERFACE_CLASS, v, Host::globalLookup(), &record_, serverName);
    if (status_ != AFUNC_BADVERSION) break;
  }
}

}  // namespace refhost
