// skyrind.p: the one exported record through which the host finds the
// module, its two servers and their activations.
#include "host/activations.h"
#include "host/camera_callbacks.h"
#include "host/host_abi.h"
#include "host/instance_operations.h"
#include "host/module_export.h"
#include "panel/control_panel.h"

namespace skyrind {
namespace {

constexpr CameraServer kPanoramaCamera = {
    .operations = {nullptr, createInstance, destroyInstance, copyInstance, loadInstance,
                   saveInstance, describeInstance},
    .newFrame = newFrame,
    .preview = previewMatrix,
    .evaluate = evaluateRay,
    .flags = handlerFlags,
    .eyePreview = previewMatrixForEye,
    .eyeEvaluate = evaluateRayForEye,
    .eyeFlags = eyeHandlerFlags,
    .project = noProjection,
};

constexpr PanelTables kPanoramaPanel = {
    kPanelControls, kPanelData, kPanelHints, getControl, setAndUpdate<setControl>,
};

int activateHandler(int version, GlobalFunc global, void *local, void *) {
  return activateCameraHandler(kPanoramaCamera, version, global, local);
}

int activateInterface(int version, GlobalFunc global, void *local, void *) {
  return activateCameraInterface(kPanoramaPanel, version, global, local);
}

constexpr const char *kServerName = "Skyrind0.1.5";

// Both servers share this one tag list: the user name in US English, then
// the end of the list.
const ServerTagInfo kTags[] = {
    {"Skyrind 0.1.5", SERVER_TAG_USER_NAME | SERVER_TAG_US_ENGLISH},
    {nullptr, 0},
};

const ServerRecord kServers[] = {
    {CAMERA_HANDLER_CLASS, kServerName, activateHandler, kTags},
    {CAMERA_INTERFACE_CLASS, kServerName, activateInterface, kTags},
    {nullptr, nullptr, nullptr, nullptr},
};

}  // namespace
}  // namespace skyrind

extern "C" SKYRIND_MODULE_EXPORT const ModuleDescriptor _mod_descrip = {
    MODULE_SYNC,          MODULE_SYSTEM_VERSION,   MODULE_MACHINE,
    skyrind::startModule, skyrind::shutDownModule, skyrind::kServers,
};
