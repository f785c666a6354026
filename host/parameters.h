// The camera's four animated values as host parameters ("LWVParmFuncs 2"),
// each with its channel in the camera's group: "HFOV", "VFOV", "HShift",
// "VShift". A parameter the host failed to create is skipped by every
// operation and its value stays as it is.
#pragma once

#include "camera/instance.h"
#include "host/host_abi.h"

namespace skyrind {

// Creates, sets up and sets each parameter to the instance's current value.
void createParameters(CameraInstance &camera);
void destroyParameters(CameraInstance &camera);
// Copies each parameter that both instances have (destination, source).
void copyParameters(CameraInstance &destination, const CameraInstance &source);

// Reads the four values at `time` (seconds) into the instance's settings.
void evaluateParameters(CameraInstance &camera, double time);

// Loads or saves the parameters in their fixed order; the first host message
// stops the walk and is returned.
const char *loadParameters(CameraInstance &camera, const LoadState *state);
const char *saveParameters(const CameraInstance &camera, const SaveState *state);

}  // namespace skyrind
