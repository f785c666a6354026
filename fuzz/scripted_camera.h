// A host whose camera answers with scripted values: the item-information and
// camera-information services report exactly the vectors and numbers a fuzz
// input chose (NaN, zero-length axes and all); every other service is the
// reference host's.
#pragma once

#include "host/host_abi.h"

namespace skyrind_fuzz {

struct CameraScript {
  double position[3];
  double right[3];
  double up[3];
  double forward[3];
  double focalDistance;  // scene units
  double fStop;
};

// What the scripted services answer from now on, for any item and time.
void setCameraScript(const CameraScript &script);

// The global lookup to hand to an activation: the scripted services by
// name, the current reference host for the rest.
GlobalFunc scriptedLookup();

}  // namespace skyrind_fuzz
