#include "camera/instance.h"

#include <cstdlib>

#include "host/services.h"

namespace skyrind {
namespace {

// The four animated parameters, in the order every operation visits them.
struct ParameterSlot {
  void *CameraInstance::*handle;
  double CameraInstance::*value;
  int valueType;
  const char *channelName;
};

constexpr ParameterSlot kParameters[] = {
    {&CameraInstance::hFovParm, &CameraInstance::hFov, VPARM_ANGLE, "HFOV"},
    {&CameraInstance::vFovParm, &CameraInstance::vFov, VPARM_ANGLE, "VFOV"},
    {&CameraInstance::hShiftParm, &CameraInstance::hShift, VPARM_PERCENT, "HShift"},
    {&CameraInstance::vShiftParm, &CameraInstance::vShift, VPARM_PERCENT, "VShift"},
};

}  // namespace

void *createInstance(void *, void *item, const char **error) {
  auto *camera = static_cast<CameraInstance *>(std::calloc(1, sizeof(CameraInstance)));
  if (!camera) {
    if (error) *error = "Couldn't allocate instance data.";
    return nullptr;
  }
  camera->hFov = services.pi + services.pi;
  camera->vFov = services.pi;
  camera->cameraItem = item;
  if (services.items) camera->channelGroup = services.items->chanGroup(item);

  if (const VParmFuncs *parms = services.parms) {
    for (const ParameterSlot &p : kParameters) {
      void *handle = parms->create(p.valueType, -1);
      camera->*p.handle = handle;
      if (!handle) continue;
      parms->setup(handle, p.channelName, camera->channelGroup, nullptr, nullptr, nullptr, nullptr);
      parms->setVal(handle, &(camera->*p.value));
    }
  }
  camera->samples = nullptr;
  return camera;
}

void destroyInstance(void *instance) {
  auto *camera = static_cast<CameraInstance *>(instance);
  if (!camera) return;
  if (const VParmFuncs *parms = services.parms) {
    for (const ParameterSlot &p : kParameters) {
      if (camera->*p.handle) parms->destroy(camera->*p.handle);
    }
  }
  std::free(camera->samples);
  std::free(camera);
}

const char *copyInstance(void *to, void *from) {
  auto *dst = static_cast<CameraInstance *>(to);
  const auto *src = static_cast<const CameraInstance *>(from);
  if (!dst || !src) return nullptr;
  if (const VParmFuncs *parms = services.parms) {
    for (const ParameterSlot &p : kParameters) {
      // A parameter the host failed to create on either side is not copied.
      if (dst->*p.handle && src->*p.handle) parms->copy(dst->*p.handle, src->*p.handle);
    }
  }
  dst->hPerspective = src->hPerspective;
  dst->vPerspective = src->vPerspective;
  dst->verticalPanorama = src->verticalPanorama;
  dst->autoHFov = src->autoHFov;
  dst->autoVFov = src->autoVFov;
  return nullptr;
}

const char *describeInstance(void *) {
  return "Skyrind";
}

void evaluateParameters(CameraInstance &camera, double time) {
  const VParmFuncs *parms = services.parms;
  if (!parms) return;
  for (const ParameterSlot &p : kParameters) {
    void *handle = camera.*p.handle;
    if (!handle) continue;
    double out[3] = {camera.*p.value, 0.0, 0.0};
    parms->getVal(handle, time, nullptr, out);
    camera.*p.value = out[0];
  }
}

const char *loadParameters(CameraInstance &camera, const LoadState *state) {
  const VParmFuncs *parms = services.parms;
  if (!parms) return nullptr;
  for (const ParameterSlot &p : kParameters) {
    if (!(camera.*p.handle)) continue;
    if (const char *message = parms->load(camera.*p.handle, state)) return message;
  }
  return nullptr;
}

const char *saveParameters(const CameraInstance &camera, const SaveState *state) {
  const VParmFuncs *parms = services.parms;
  if (!parms) return nullptr;
  for (const ParameterSlot &p : kParameters) {
    if (!(camera.*p.handle)) continue;
    if (const char *message = parms->save(camera.*p.handle, state)) return message;
  }
  return nullptr;
}

}  // namespace skyrind
