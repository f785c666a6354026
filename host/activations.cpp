// The two servers' activations, side by side. "CameraHandler" takes the host
// services and fills the handler record with the instance operations and the
// camera callbacks; "CameraInterface" builds the parameter panel.
#include "host/activations.h"

#include <cmath>

#include "host/camera_callbacks.h"
#include "host/instance_operations.h"
#include "host/services.h"
#include "panel/control_panel.h"

namespace skyrind {
namespace {

// The panel's set, then "Instance Update" for every handled id so that the
// host's views refresh.
int setControlAndUpdate(void *instance, unsigned long id, void *value) {
  if (!setControl(instance, id, value)) return 0;
  if (services.instanceUpdate) services.instanceUpdate(CAMERA_HANDLER_CLASS, instance);
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
  handler->preview = previewMatrix;
  handler->newFrame = newFrame;
  handler->evaluate = evaluateRay;
  handler->flags = handlerFlags;
  return AFUNC_OK;
}

int activateInterface(int version, GlobalFunc global, void *local, void *) {
  if (version != CAMERA_INTERFACE_VERSION) return AFUNC_BADVERSION;
  services.global = global;
  services.instanceUpdate =
      reinterpret_cast<InstanceUpdateFunc>(const_cast<void *>(lookupService(INSTANCE_UPDATE_NAME)));
  services.panel = static_cast<const XPanelFuncs *>(lookupService(XPANEL_FUNCS_NAME));
  const XPanelFuncs *panels = services.panel;
  if (!panels) return AFUNC_BADGLOBAL;

  auto *ui = static_cast<CameraInterface *>(local);
  if (!ui) return AFUNC_OK;
  void *panel = panels->create(XPANEL_VIEW, kPanelControls);
  if (!panel) return AFUNC_OK;
  panels->describe(panel, kPanelData, getControl, setControlAndUpdate);
  panels->hint(panel, 0, kPanelHints);
  panels->viewInst(panel, ui->inst);
  panels->setData(panel, 0, ui->inst);
  ui->panel = panel;
  ui->options = nullptr;
  ui->command = nullptr;
  return AFUNC_OK;
}

}  // namespace skyrind
