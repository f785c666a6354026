// The two server activations, in the shape of ActivateFunc.
#pragma once

#include "host/host_abi.h"

namespace skyrind {

// "CameraHandler", version 2: takes the services and fills the handler record.
int activateHandler(int version, GlobalFunc global, void *local, void *serverData);

// "CameraInterface", version 4: builds the parameter panel.
int activateInterface(int version, GlobalFunc global, void *local, void *serverData);

}  // namespace skyrind
