// A straightforward, independent transcription of the camera's frame
// sampling and field-of-view resolution, step by step in the written order of
// operations, read from the reference host's own values; the rays come from
// the camera's plainly written reference ray (camera/ray_reference.h). The
// plug-in's rays must equal these bit for bit.
#pragma once

#include <vector>

#include "camera/frame_sample.h"
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

using Sample = skyrind::FrameSample;

// sampleCount + 1 samples across the frame's exposure.
std::vector<Sample> sampleTable(const HostScene &scene, const FrameInfo &frame);

// The ray for a fractional time in [0, 1].
CameraRay evaluate(const std::vector<Sample> &table, double filmX, double filmY, double lensX,
                   double lensY, double fracTime);

}  // namespace plain
