#include "session/host_generation.h"

#include "refhost/host.h"

namespace skyhost {

const refhost::HostProfile &hostProfile(const Options &options) {
  const refhost::HostProfile *profile = refhost::HostProfile::named(options.host);
  return profile ? *profile : refhost::HostProfile::lightwave2023();
}

std::vector<int> acceptedVersions(const refhost::Module &module,
                                  const refhost::ServerInfo &server) {
  refhost::Host host(refhost::HostProfile::lightwave2023());
  auto installed = host.install();
  std::vector<int> accepted;
  for (int version = 0; version <= 6; ++version) {
    // Records large enough for either class, thrown away after the call.
    InstanceFuncs operations{};
    CameraEyeHandler handler{};
    handler.inst = &operations;
    CameraInterface panel{};
    void *record = server.className == CAMERA_HANDLER_CLASS ? static_cast<void *>(&handler)
                                                            : static_cast<void *>(&panel);
    if (module.activate(server.className, version, refhost::Host::globalLookup(), record,
                        server.name) != AFUNC_BADVERSION)
      accepted.push_back(version);
  }
  return accepted;
}

std::string machinePlatform(unsigned machine) {
  switch (machine) {
    case MODULE_MACHINE_WINDOWS:
      return "Windows";
    case MODULE_MACHINE_MACOS:
      return "macOS";
    case MODULE_MACHINE_LINUX:
      return "Linux";
    default:
      return "unknown";
  }
}

}  // namespace skyhost
