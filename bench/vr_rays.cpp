#include "bench/vr_rays.h"

#include <cmath>

#include "camera/frame_sample.h"
#include "camera/vr_projection.h"

namespace bench {
namespace {

skyrind::Vec3 vec(const double (&v)[3]) {
  return {v[0], v[1], v[2]};
}

__attribute__((noinline)) int evaluate(void *instance, double filmX, double filmY, double, double,
                                       double fracTime, CameraRay *ray) {
  const auto *frame = static_cast<const VrFrame *>(instance);
  if (frame->samples.empty()) return 0;
  const skyrind::VrSample &s = frame->samples[skyrind::sampleIndex(frame->sampleCount, fracTime)];
  skyrind::Ray r;
  if (!skyrind::traceVrRay(s, frame->camera, filmX, filmY, skyrind::EyeRequest::Centre, r)) {
    return 0;
  }
  *ray = {{r.origin.x, r.origin.y, r.origin.z},
          {r.direction.x, r.direction.y, r.direction.z},
          {r.facing.x, r.facing.y, r.facing.z}};
  return 1;
}

}  // namespace

VrFrame vrFrame(const BaselineFrame &poses, skyrind::VrCamera camera,
                const skyrind::StereoSettings &stereo, const skyrind::DomeSettings &dome) {
  const double pi = std::acos(-1.0);
  const skyrind::FilmSize film{BenchCamera::filmWidth(), BenchCamera::filmHeight()};
  VrFrame out{camera, {}, poses.sampleCount};
  for (const BaselineSample &b : poses.samples) {
    const skyrind::CameraPose pose{vec(b.position), vec(b.right), vec(b.up), vec(b.forward)};
    out.samples.push_back(skyrind::deriveVrSample(camera, stereo, dome, pose, film, pi));
  }
  return out;
}

CameraEvaluateFunc vrEvaluate = evaluate;

}  // namespace bench
