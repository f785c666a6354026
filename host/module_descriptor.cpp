// The one exported record through which the host finds the module.
#include "host/activations.h"
#include "host/host_abi.h"
#include "host/module_export.h"

namespace {

void *startup() {
  return MODULE_STARTED;
}
void shutdown(void *) {}

constexpr const char *kServerName = "Skyrind0.1.5";

// Both servers share this one tag list.
const ServerTagInfo kTags[] = {
    {"Skyrind 0.1.5", 0},
    {nullptr, 0},
};

const ServerRecord kServers[] = {
    {CAMERA_HANDLER_CLASS, kServerName, skyrind::activateHandler, kTags},
    {CAMERA_INTERFACE_CLASS, kServerName, skyrind::activateInterface, kTags},
    {nullptr, nullptr, nullptr, nullptr},
};

}  // namespace

extern "C" SKYRIND_MODULE_EXPORT const ModuleDescriptor _mod_descrip = {
    MODULE_SYNC, MODULE_SYSTEM_VERSION, MODULE_MACHINE, startup, shutdown, kServers,
};
