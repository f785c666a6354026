// A straightforward, independent transcription of the camera's written
// algorithm (frame sampling, field-of-view resolution, ray evaluation with the
// axis-angle rotation builder), step by step in the written order of
// operations. Read from the reference host's own values; the plug-in's rays
// must equal these bit for bit.
#pragma once

#include <vector>

#include "host/host_abi.h"
#include "refhost/channel.h"
#include "refhost/item.h"

namespace plain {

struct Switches {
  int hPerspective = 0, vPerspective = 0, verticalPanorama = 0, autoHFov = 0, autoVFov = 0;
};

// The host's values the camera reads: its item and its four channels.
struct HostScene {
  const refhost::Item *camera;
  const refhost::Channel *hFov, *vFov, *hShift, *vShift;
  Switches switches;
  double filmWidth, filmHeight;
};

struct Sample {
  double shiftX, shiftY, lensRadius;
  double planeScaleX, planeScaleY, angleScaleX, angleScaleY;
  int verticalPanorama, hPerspective, vPerspective;
  double right[3], up[3], focusForward[3], forward[3], position[3];
};

// sampleCount + 1 samples across the frame's exposure.
std::vector<Sample> sampleTable(const HostScene &scene, const FrameInfo &frame);

// The ray for a fractional time in [0, 1].
CameraRay evaluate(const std::vector<Sample> &table, double filmX, double filmY, double lensX,
                   double lensY, double fracTime);

}  // namespace plain
