// The parameter panel over one camera instance: static tables and the get/set
// bindings the host's panel service calls.
#pragma once

#include "host/host_abi.h"

namespace skyrind {

// Control ids.
enum ControlId : unsigned long {
  kHorizontalFov = 0x8001,
  kVerticalFov = 0x8002,
  kHorizontalPerspective = 0x8003,
  kVerticalPerspective = 0x8004,
  kVerticalPanorama = 0x8005,
  kAutoHorizontalFov = 0x8006,
  kAutoVerticalFov = 0x8007,
  kHorizontalShift = 0x8008,
  kVerticalShift = 0x8009,
  kFieldOfViewGroup = 0x800A,
  kShiftGroup = 0x800B,
};

extern const XPanelControl kPanelControls[];
extern const XPanelDataDesc kPanelData[];
extern const XPanelHint kPanelHints[];

void *getControl(void *instance, unsigned long id);
int setControl(void *instance, unsigned long id, void *value);

}  // namespace skyrind
