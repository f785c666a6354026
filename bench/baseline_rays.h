// The floor a panoramic camera stands on, called the way the host calls
// evaluate: through a function pointer, reading one sample of a frame table
// and writing the host's ray record. The table is the baselines' own, made
// from what the host tells of the camera; the `instance` argument is a
// BaselineFrame.
#pragma once

#include <cstdint>
#include <vector>

#include "bench/bench_camera.h"
#include "host/host_abi.h"

namespace bench {

struct BaselineSample {
  double position[3], right[3], up[3], forward[3];  // unit axes
  double focusForward[3];                           // forward × focal distance
  double shiftX, shiftY;                            // film units
  double angleScaleX, angleScaleY;                  // radians per film unit
  double planeScaleX, planeScaleY;                  // plane of focus per film unit
};

struct BaselineFrame {
  std::vector<BaselineSample> samples;  // sampleCount + 1 entries
  uint32_t sampleCount = 0;
};

// The camera's frame (BenchCamera::frameInfo(motionSteps)) read from the
// host: item motion, focal distance and the channels at each sample time.
BaselineFrame baselineFrame(BenchCamera &camera, int motionSteps);

// Longitude and latitude from the film position, one sincos each; the
// direction is unit by construction.
extern CameraEvaluateFunc equirectangularBaseline;

// Film position onto the plane of focus, one square root to normalise.
extern CameraEvaluateFunc pinholeBaseline;

}  // namespace bench
