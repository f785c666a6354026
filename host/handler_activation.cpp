// The "CameraHandler" activation: takes the host services and fills the
// handler record with the instance operations and camera callbacks.
#include <cmath>

#include "camera/callbacks.h"
#include "camera/instance.h"
#include "host/activation.h"
#include "host/services.h"

namespace skyrind {
namespace {

// Flag word for every instance.
unsigned int handlerFlags(void *) {
  return 1;
}

}  // namespace

int activateHandler(int version, GlobalFunc global, void *local, void *) {
  if (version != CAMERA_HANDLER_VERSION) return AFUNC_BADVERSION;
  services.pi = std::atan(1.0) * 4;

  services.global = global;
  const auto *parms = static_cast<const VParmFuncs *>(lookupService(VPARM_FUNCS_NAME));
  const auto *items = static_cast<const ItemInfo *>(lookupService(ITEM_INFO_NAME));
  const void *envelopes = lookupService(ENVELOPE_FUNCS_NAME);
  const auto *time = static_cast<const TimeInfo *>(lookupService(TIME_INFO_NAME));
  const auto *camera = static_cast<const CameraInfo *>(lookupService(CAMERA_INFO_NAME));
  if (!parms || !items || !envelopes || !time) return AFUNC_BADGLOBAL;
  services.parms = parms;
  services.items = items;
  services.envelopes = envelopes;
  services.time = time;
  services.camera = camera;

  auto *handler = static_cast<CameraHandler *>(local);
  if (!handler) return AFUNC_OK;
  if (InstanceFuncs *inst = handler->inst) {
    inst->priv = reinterpret_cast<void *>(global);
    inst->create = createInstance;
    inst->destroy = destroyInstance;
    inst->copy = copyInstance;
    inst->load = loadInstance;
    inst->save = saveInstance;
    inst->describe = describeInstance;
  }
  handler->preview = previewProjection;
  handler->newFrame = newFrame;
  handler->evaluate = evaluateRay;
  handler->flags = handlerFlags;
  return AFUNC_OK;
}

}  // namespace skyrind
