// The floor a panoramic camera stands on, called the way the host calls
// evaluate: through a function pointer, reading the instance's sample and
// writing the host's ray record.
#pragma once

#include "host/host_abi.h"

namespace bench {

// Longitude and latitude from the film position, one sincos each; the
// direction is unit by construction.
extern CameraEvaluateFunc equirectangularBaseline;

// Film position onto the plane of focus, one square root to normalise.
extern CameraEvaluateFunc pinholeBaseline;

}  // namespace bench
