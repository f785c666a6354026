// skyrind-vr.p: the one exported record through which the host finds the
// module, its six servers (a handler and an interface for each camera) and
// their activations.
#include "host/activations.h"
#include "host/host_abi.h"
#include "host/module_export.h"
#include "host/vr_camera.h"
#include "panel/vr_panel.h"

namespace skyrind {
namespace {

constexpr PanelTables kStereo360Panel = {kStereo360Controls, kStereo360Data, kStereo360Hints,
                                         getVrControl, setAndUpdate<setVrControl>};
constexpr PanelTables kVR180Panel = {kVR180Controls, kVR180Data, kVR180Hints, getVrControl,
                                     setAndUpdate<setVrControl>};
constexpr PanelTables kDomePanel = {kDomeControls, kDomeData, kDomeHints, getVrControl,
                                    setAndUpdate<setVrControl>};

template <const CameraServer &server>
int activateHandler(int version, GlobalFunc global, void *local, void *) {
  return activateCameraHandler(server, version, global, local);
}

template <const PanelTables &panel>
int activateInterface(int version, GlobalFunc global, void *local, void *) {
  return activateCameraInterface(panel, version, global, local);
}

// Each camera's tag list: its user name in US English, then the end.
const ServerTagInfo kStereo360Tags[] = {
    {"Skyrind Stereo 360", SERVER_TAG_USER_NAME | SERVER_TAG_US_ENGLISH}, {nullptr, 0}};
const ServerTagInfo kVR180Tags[] = {{"Skyrind VR180", SERVER_TAG_USER_NAME | SERVER_TAG_US_ENGLISH},
                                    {nullptr, 0}};
const ServerTagInfo kDomeTags[] = {{"Skyrind Dome", SERVER_TAG_USER_NAME | SERVER_TAG_US_ENGLISH},
                                   {nullptr, 0}};

// The internal names never change: scenes store them.
const ServerRecord kServers[] = {
    {CAMERA_HANDLER_CLASS, "SkyrindStereo360", activateHandler<kStereo360Server>, kStereo360Tags},
    {CAMERA_INTERFACE_CLASS, "SkyrindStereo360", activateInterface<kStereo360Panel>,
     kStereo360Tags},
    {CAMERA_HANDLER_CLASS, "SkyrindVR180", activateHandler<kVR180Server>, kVR180Tags},
    {CAMERA_INTERFACE_CLASS, "SkyrindVR180", activateInterface<kVR180Panel>, kVR180Tags},
    {CAMERA_HANDLER_CLASS, "SkyrindDome", activateHandler<kDomeServer>, kDomeTags},
    {CAMERA_INTERFACE_CLASS, "SkyrindDome", activateInterface<kDomePanel>, kDomeTags},
    {nullptr, nullptr, nullptr, nullptr},
};

}  // namespace
}  // namespace skyrind

extern "C" SKYRIND_MODULE_EXPORT const ModuleDescriptor _mod_descrip = {
    MODULE_SYNC,          MODULE_SYSTEM_VERSION,   MODULE_MACHINE,
    skyrind::startModule, skyrind::shutDownModule, skyrind::kServers,
};
