// The state of one stereo or dome camera in a scene: which projection it is,
// its settings, the host's handles it keeps, the frame's timing and its
// sample table.
#pragma once

#include "camera/frame_timing.h"
#include "camera/instance.h"
#include "camera/vr_sample.h"
#include "camera/vr_settings.h"

namespace skyrind {

// One host parameter per animated value; each camera uses its own: the
// stereo cameras the first four, the dome the last two. Null where the host
// could not create one.
struct VrParameterHandles {
  HostParameter *eyeSeparation;
  HostParameter *convergence;
  HostParameter *poleMergeFrom;
  HostParameter *poleMergeTo;
  HostParameter *fieldOfView;
  HostParameter *tilt;
};

struct VrInstance {
  VrCamera camera;
  // The values as last evaluated (or set through the panel), before they are
  // brought into range for a frame.
  StereoSettings stereo;
  DomeSettings dome;
  VrParameterHandles parameters;
  HostChannelGroup *channelGroup;
  HostItem *cameraItem;
  FilmSize film;  // the film size of the last new frame
  FrameTiming timing;
  VrSample *samples;  // timing.sampleCount + 1 entries, or null before the first frame
  char description[96];
};

}  // namespace skyrind
