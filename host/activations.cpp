#include "host/activations.h"

#include <cmath>

namespace skyrind {
namespace {

bool isEyeVersion(int version) {
  return version == CAMERA_HANDLER_VERSION_2018 || version == CAMERA_HANDLER_VERSION_2023;
}

void fillOperations(const CameraServer &server, GlobalFunc global, InstanceFuncs *inst) {
  if (!inst) return;
  *inst = server.operations;
  inst->priv = reinterpret_cast<void *>(global);
}

// What a version 2 record and a version 3 or 4 record have alike, given the
// server's callbacks of that version.
template <class Handler, class Preview, class Evaluate>
void fillHandler(Handler &handler, const CameraServer &server, GlobalFunc global, Preview preview,
                 Evaluate evaluate, CameraFlagsFunc flags) {
  fillOperations(server, global, handler.inst);
  handler.preview = preview;
  handler.newFrame = server.newFrame;
  handler.evaluate = evaluate;
  handler.flags = flags;
}

}  // namespace

void *startModule() {
  return MODULE_STARTED;
}

void shutDownModule(void *) {}

int noProjection(void *, double, double, const double[3], double, int, double[3],
                 const CameraAccess *) {
  return 0;
}

int activateCameraHandler(const CameraServer &server, int version, GlobalFunc global, void *local) {
  if (version != CAMERA_HANDLER_VERSION && !isEyeVersion(version)) return AFUNC_BADVERSION;
  services.pi = std::atan(1.0) * 4;

  services.global = global;
  const auto *parms = lookupRecord<VParmFuncs>(kParameterService);
  const auto *items = lookupRecord<ItemInfo>(kItemInfoService);
  const void *envelopes = lookupService(kEnvelopeService);
  const auto *time = lookupRecord<TimeInfo>(kTimeInfoService);
  // Camera information is optional here: new frame and preview look it up
  // again and refuse without it.
  const auto *camera = lookupRecord<CameraInfo>(kCameraInfoService);
  if (!parms || !items || !envelopes || !time) return AFUNC_BADGLOBAL;
  services.parms = parms;
  services.items = items;
  services.envelopes = envelopes;
  services.time = time;
  services.camera = camera;

  if (!local) return AFUNC_OK;
  if (isEyeVersion(version)) {
    auto &handler = *static_cast<CameraEyeHandler *>(local);
    fillHandler(handler, server, global, server.eyePreview, server.eyeEvaluate, server.eyeFlags);
    handler.project = server.project;
  } else {
    fillHandler(*static_cast<CameraHandler *>(local), server, global, server.preview,
                server.evaluate, server.flags);
  }
  return AFUNC_OK;
}

int activateCameraInterface(const PanelTables &tables, int version, GlobalFunc global,
                            void *local) {
  if (version != CAMERA_INTERFACE_VERSION && version != CAMERA_INTERFACE_VERSION_2023)
    return AFUNC_BADVERSION;
  services.global = global;
  services.instanceUpdate = reinterpret_cast<InstanceUpdateFunc>(
      const_cast<void *>(lookupService(kInstanceUpdateService)));
  services.panel = lookupRecord<XPanelFuncs>(kPanelService);
  const XPanelFuncs *panels = services.panel;
  if (!panels) return AFUNC_BADGLOBAL;

  auto *ui = static_cast<CameraInterface *>(local);
  if (!ui) return AFUNC_OK;
  void *panel = panels->create(XPANEL_VIEW, tables.controls);
  if (!panel) return AFUNC_OK;
  panels->describe(panel, tables.data, tables.get, tables.set);
  panels->hint(panel, 0, tables.hints);
  panels->viewInst(panel, ui->inst);
  panels->setData(panel, 0, ui->inst);
  ui->panel = panel;
  ui->options = nullptr;
  ui->command = nullptr;
  return AFUNC_OK;
}

}  // namespace skyrind
