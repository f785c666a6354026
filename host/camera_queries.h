// What the camera callbacks ask the host about the camera item at one time:
// its lens and its pose, through the services looked up by name each time.
#pragma once

#include "camera/frame_sample.h"
#include "camera/settings.h"
#include "host/host_abi.h"

namespace skyrind {

// The messages a callback returns when a service is missing.
extern const char *const kNoCameraInfoMessage;
extern const char *const kNoItemInfoMessage;

FilmSize filmOf(const CameraAccess &access);

// Focal distance, then f-stop; a message when the host has no camera
// information service.
const char *lensAt(void *item, double time, Lens &lens);

// World position, then the right, up and forward axes; a message when the
// host has no item information service.
const char *poseAt(void *item, double time, CameraPose &pose);

}  // namespace skyrind
