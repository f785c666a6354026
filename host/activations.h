// The camera servers' activations, for any module built here: a handler
// activation that reads the version the host offers and fills the matching
// record, and an interface activation that builds a panel from tables.
#pragma once

#include "host/host_abi.h"
#include "host/services.h"

namespace skyrind {

// What one camera handler gives the host: its instance operations, and its
// callbacks for version 2 and for versions 3 and 4.
struct CameraServer {
  InstanceFuncs operations;  // priv left null: activation puts the global lookup there
  CameraNewFrameFunc newFrame;
  // Version 2.
  CameraPreviewFunc preview;
  CameraEvaluateFunc evaluate;
  CameraFlagsFunc flags;
  // Versions 3 and 4.
  CameraEyePreviewFunc eyePreview;
  CameraEyeEvaluateFunc eyeEvaluate;
  CameraFlagsFunc eyeFlags;
  CameraProjectFunc project;
};

// The projection slot of a camera without one (its flags say so): answers 0
// and writes nothing.
int noProjection(void *instance, double lensX, double lensY, const double worldPosition[3],
                 double fracTime, int eye, double filmPosition[3], const CameraAccess *access);

// Version 2 fills a CameraHandler, 3 and 4 a CameraEyeHandler; any other
// version returns 1 before anything is looked up. A missing parameter,
// item-information, envelope or time service returns 2 and fills nothing.
int activateCameraHandler(const CameraServer &server, int version, GlobalFunc global, void *local);

// A panel: its control, data and hint tables, and its get and set.
struct PanelTables {
  const XPanelControl *controls;
  const XPanelDataDesc *data;
  const XPanelHint *hints;
  XPanelGet get;
  XPanelSet set;
};

// Versions 4 and 5 (one record): builds the panel over the record's instance.
int activateCameraInterface(const PanelTables &panel, int version, GlobalFunc global, void *local);

// The module descriptor's startup and shutdown: the modules keep nothing
// between them.
void *startModule();
void shutDownModule(void *);

// A panel's set followed by "Instance Update" for every handled id, so that
// the host's views refresh.
template <XPanelSet set>
int setAndUpdate(void *instance, uint32_t id, void *value) {
  if (!set(instance, id, value)) return XPANEL_REFRESH_NONE;
  if (services.instanceUpdate) services.instanceUpdate(CAMERA_HANDLER_CLASS, instance);
  return XPANEL_REFRESH_DEFAULT;
}

}  // namespace skyrind
