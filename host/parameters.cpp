#include "host/parameters.h"

#include "host/services.h"

namespace skyrind {
namespace {

// The four parameters, in the order every operation visits them.
struct ParameterSlot {
  HostParameter *ParameterHandles::*handle;
  double CameraSettings::*value;
  int valueType;
  const char *channelName;
};

constexpr ParameterSlot kParameters[] = {
    {&ParameterHandles::hFov, &CameraSettings::hFov, VPARM_FLOAT, "HFOV"},
    {&ParameterHandles::vFov, &CameraSettings::vFov, VPARM_FLOAT, "VFOV"},
    {&ParameterHandles::hShift, &CameraSettings::hShift, VPARM_PERCENT, "HShift"},
    {&ParameterHandles::vShift, &CameraSettings::vShift, VPARM_PERCENT, "VShift"},
};

// Calls `operation` on each parameter the host created, in order, and returns
// the first message it gives (null when none does).
template <class Operation>
const char *firstMessage(const ParameterHandles &handles, Operation operation) {
  const VParmFuncs *parms = services.parms;
  if (!parms) return nullptr;
  for (const ParameterSlot &p : kParameters) {
    HostParameter *handle = handles.*p.handle;
    if (!handle) continue;
    if (const char *message = operation(*parms, handle)) return message;
  }
  return nullptr;
}

}  // namespace

void createParameters(CameraInstance &camera) {
  const VParmFuncs *parms = services.parms;
  if (!parms) return;
  for (const ParameterSlot &p : kParameters) {
    void *handle = parms->create(p.valueType, -1);
    camera.parameters.*p.handle = static_cast<HostParameter *>(handle);
    if (!handle) continue;
    parms->setup(handle, p.channelName, camera.channelGroup, nullptr, nullptr, nullptr, nullptr);
    parms->setVal(handle, &(camera.settings.*p.value));
  }
}

void destroyParameters(CameraInstance &camera) {
  const VParmFuncs *parms = services.parms;
  if (!parms) return;
  for (const ParameterSlot &p : kParameters)
    if (HostParameter *handle = camera.parameters.*p.handle) parms->destroy(handle);
}

void copyParameters(CameraInstance &destination, const CameraInstance &source) {
  const VParmFuncs *parms = services.parms;
  if (!parms) return;
  for (const ParameterSlot &p : kParameters) {
    HostParameter *to = destination.parameters.*p.handle;
    HostParameter *from = source.parameters.*p.handle;
    if (to && from) parms->copy(to, from);
  }
}

void evaluateParameters(CameraInstance &camera, double time) {
  const VParmFuncs *parms = services.parms;
  if (!parms) return;
  for (const ParameterSlot &p : kParameters) {
    HostParameter *handle = camera.parameters.*p.handle;
    if (!handle) continue;
    double out[3] = {camera.settings.*p.value, 0.0, 0.0};
    parms->getVal(handle, time, nullptr, out);
    camera.settings.*p.value = out[0];
  }
}

const char *loadParameters(CameraInstance &camera, const LoadState *state) {
  return firstMessage(camera.parameters, [state](const VParmFuncs &parms, HostParameter *handle) {
    return parms.load(handle, state);
  });
}

const char *saveParameters(const CameraInstance &camera, const SaveState *state) {
  return firstMessage(camera.parameters, [state](const VParmFuncs &parms, HostParameter *handle) {
    return parms.save(handle, state);
  });
}

}  // namespace skyrind
