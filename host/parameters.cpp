#include "host/parameters.h"

namespace skyrind {
namespace {

using PanoramaSlot = ParameterSlot<ParameterHandles, CameraSettings>;

// The fields of view are plain floats (type 16) holding radians: scenes saved
// with them keep that type.
constexpr PanoramaSlot kParameters[] = {
    {&ParameterHandles::hFov, &CameraSettings::hFov, VPARM_FLOAT, "HFOV"},
    {&ParameterHandles::vFov, &CameraSettings::vFov, VPARM_FLOAT, "VFOV"},
    {&ParameterHandles::hShift, &CameraSettings::hShift, VPARM_PERCENT, "HShift"},
    {&ParameterHandles::vShift, &CameraSettings::vShift, VPARM_PERCENT, "VShift"},
};
constexpr ParameterTable<ParameterHandles, CameraSettings> kTable{kParameters};

}  // namespace

void createParameters(CameraInstance &camera) {
  createParameters(kTable, camera.parameters, camera.settings, camera.channelGroup);
}

void destroyParameters(CameraInstance &camera) {
  destroyParameters(kTable, camera.parameters);
}

void copyParameters(CameraInstance &destination, const CameraInstance &source) {
  copyParameters(kTable, destination.parameters, source.parameters);
}

void evaluateParameters(CameraInstance &camera, double time) {
  evaluateParameters(kTable, camera.parameters, camera.settings, time);
}

const char *loadParameters(CameraInstance &camera, const LoadState *state) {
  return loadParameters(kTable, camera.parameters, state);
}

const char *saveParameters(const CameraInstance &camera, const SaveState *state) {
  return saveParameters(kTable, camera.parameters, state);
}

}  // namespace skyrind
