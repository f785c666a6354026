// The panels of the stereo 360, VR180 and dome cameras: their static tables
// and the get and set the host's panel service calls.
#pragma once

#include "host/host_abi.h"
#include "panel/vr_control_ids.h"

namespace skyrind {

extern const XPanelControl kStereo360Controls[];
extern const XPanelDataDesc kStereo360Data[];
extern const XPanelHint kStereo360Hints[];
extern const XPanelControl kVR180Controls[];
extern const XPanelDataDesc kVR180Data[];
extern const XPanelHint kVR180Hints[];
extern const XPanelControl kDomeControls[];
extern const XPanelDataDesc kDomeData[];
extern const XPanelHint kDomeHints[];

// The parameter handle of an animated control, the address of a choice's
// or switch's 32-bit value, or null for an id the instance's camera lacks.
void *getVrControl(void *instance, uint32_t id);
// Stores a handled id's value into the instance and returns 1; 0 otherwise.
int setVrControl(void *instance, uint32_t id, void *value);

}  // namespace skyrind
