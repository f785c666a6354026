// The parameter panel over one camera instance: static tables and the get/set
// bindings the host's panel service calls.
#pragma once

#include "host/host_abi.h"
#include "panel/control_ids.h"

namespace skyrind {

extern const XPanelControl kPanelControls[];
extern const XPanelDataDesc kPanelData[];
extern const XPanelHint kPanelHints[];

void *getControl(void *instance, unsigned long id);
int setControl(void *instance, unsigned long id, void *value);

}  // namespace skyrind
