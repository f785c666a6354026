// skyrind-vr.p's camera handler: instance operations and callbacks for the
// stereo 360, VR180 and dome cameras, over one VrInstance each.
#pragma once

#include "host/activations.h"

namespace skyrind {

extern const CameraServer kStereo360Server;
extern const CameraServer kVR180Server;
extern const CameraServer kDomeServer;

}  // namespace skyrind
