// Renders a shot: for every pixel sample it asks the plug-in's evaluate for
// a ray and traces it into the scene, on several threads at once.
#pragma once

#include <cstdint>

#include "host/host_abi.h"
#include "image.h"
#include "scene.h"
#include "shot.h"

namespace skyhost {

struct RenderStats {
  std::uint64_t rays = 0;
  double seconds = 0;
};

// The plug-in's new frame must have run for this shot. threads 0: every
// core. The result depends on the shot's seed only, never on threads.
Image render(const Scene &scene, CameraEvaluateFunc evaluate, void *instance, const Shot &shot,
             unsigned threads, RenderStats &stats);

}  // namespace skyhost
