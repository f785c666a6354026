// The VR cameras' rays called the way the host will call evaluate: through a
// function pointer, picking one sample of a frame table and writing the
// host's ray record. The table is built from a baseline frame's poses, so
// both stand on the same camera motion; the `instance` argument is a
// VrFrame.
#pragma once

#include <cstdint>
#include <vector>

#include "bench/baseline_rays.h"
#include "camera/vr_sample.h"
#include "camera/vr_settings.h"

namespace bench {

struct VrFrame {
  skyrind::VrCamera camera;
  std::vector<skyrind::VrSample> samples;  // sampleCount + 1 entries
  uint32_t sampleCount = 0;
};

// One VR sample per baseline sample: its position and axes, these settings
// and the bench camera's film.
VrFrame vrFrame(const BaselineFrame &poses, skyrind::VrCamera camera,
                const skyrind::StereoSettings &stereo, const skyrind::DomeSettings &dome);

// traceVrRay for the centre eye; 0 where there is no ray.
extern CameraEvaluateFunc vrEvaluate;

}  // namespace bench
