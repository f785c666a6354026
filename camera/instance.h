// The state of one panoramic camera in a scene, and its instance operations.
#pragma once

#include <cstdint>

#include "camera/frame_sample.h"
#include "host/host_abi.h"

namespace skyrind {

struct CameraInstance {
  double hFov;    // radians
  double vFov;    // radians
  double hShift;  // fraction of filmWidth
  double vShift;  // fraction of filmHeight
  double filmWidth;
  double filmHeight;
  int32_t hPerspective;
  int32_t vPerspective;
  int32_t verticalPanorama;
  int32_t autoHFov;
  int32_t autoVFov;
  void *hFovParm;
  void *vFovParm;
  void *hShiftParm;
  void *vShiftParm;
  void *channelGroup;
  void *cameraItem;
  int32_t frameNumber;
  double frameStart;  // seconds
  double frameDuration;
  double framesPerSecond;
  uint32_t sampleCount;  // sample intervals: 4 × the host's motion steps
  FrameSample *samples;  // sampleCount + 1 entries, or null
};

// Instance operations, in the shape of InstanceFuncs.
void *createInstance(void *priv, void *item, const char **error);
void destroyInstance(void *instance);
const char *copyInstance(void *to, void *from);
const char *describeInstance(void *instance);
const char *loadInstance(void *instance, const LoadState *state);
const char *saveInstance(void *instance, const SaveState *state);

// Reads the four animated parameters at `time` (seconds) into hFov…vShift.
// A parameter the host failed to create keeps its static value.
void evaluateParameters(CameraInstance &camera, double time);

// Loads or saves the four parameters in their fixed order; the first host
// message stops the walk and is returned.
const char *loadParameters(CameraInstance &camera, const LoadState *state);
const char *saveParameters(const CameraInstance &camera, const SaveState *state);

}  // namespace skyrind
