// The state of one panoramic camera in a scene: its settings, the host's
// handles it keeps, the current frame's timing and its sample table.
#pragma once

#include <cstdint>

#include "camera/frame_sample.h"
#include "camera/frame_timing.h"
#include "camera/settings.h"

namespace skyrind {

// The host's handles, opaque: the camera keeps them and hands them back,
// and never looks inside.
struct HostParameter;
struct HostChannelGroup;
struct HostItem;

// One animated value's host parameter for each of hFov, vFov, hShift,
// vShift; null where the host could not create it.
struct ParameterHandles {
  HostParameter *hFov;
  HostParameter *vFov;
  HostParameter *hShift;
  HostParameter *vShift;
};

struct CameraInstance {
  // The values as last evaluated (or set through the panel) and the switches.
  CameraSettings settings;
  FilmSize film;  // the film size of the last new frame or preview
  ParameterHandles parameters;
  HostChannelGroup *channelGroup;
  HostItem *cameraItem;
  FrameTiming timing;
  FrameSample *samples;  // timing.sampleCount + 1 entries, or null before the first frame
};

}  // namespace skyrind
