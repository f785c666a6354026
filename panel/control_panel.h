// The parameter panel over one camera instance: its static tables and the
// get and set the host's panel service calls.
#pragma once

#include "host/host_abi.h"
#include "panel/control_ids.h"

namespace skyrind {

extern const XPanelControl kPanelControls[];
extern const XPanelDataDesc kPanelData[];
extern const XPanelHint kPanelHints[];

// The parameter handle of an animated control, the address of a switch's
// 32-bit flag, or null for any other id.
void *getControl(void *instance, uint32_t id);
// Stores the value of a handled id into the instance and returns 1; returns
// 0 and changes nothing for any other id. Telling the host is the caller's.
int setControl(void *instance, uint32_t id, void *value);

}  // namespace skyrind
