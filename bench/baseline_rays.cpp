#include "bench/baseline_rays.h"

#include <cmath>
#include <cstdint>

namespace bench {
namespace {

using S = BaselineSample;

void copy(double (&to)[3], const refhost::Vec3 &from, double scale = 1) {
  for (int i = 0; i < 3; ++i) to[i] = from[i] * scale;
}

double length(const refhost::Vec3 &v) {
  return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

const S *pickSample(void *instance, double fracTime) {
  const auto *frame = static_cast<const BaselineFrame *>(instance);
  if (frame->samples.empty()) return nullptr;
  return &frame->samples[static_cast<uint32_t>(frame->sampleCount * fracTime)];
}

__attribute__((noinline)) int equirectangular(void *instance, double filmX, double filmY, double,
                                              double, double fracTime, CameraRay *ray) {
  const S *s = pickSample(instance, fracTime);
  if (!s) return 0;
  const double longitude = (s->shiftX + filmX) * s->angleScaleX;
  const double latitude = (s->shiftY + filmY) * s->angleScaleY;
  const double sinLon = std::sin(longitude), cosLon = std::cos(longitude);
  const double sinLat = std::sin(latitude), cosLat = std::cos(latitude);
  const double r = cosLat * sinLon, u = sinLat, f = cosLat * cosLon;
  const double *axes[3] = {s->right, s->up, s->forward};
  for (int i = 0; i < 3; ++i) {
    ray->origin[i] = s->position[i];
    ray->direction[i] = r * axes[0][i] + u * axes[1][i] + f * axes[2][i];
    ray->facing[i] = cosLon * axes[2][i] + sinLon * axes[0][i];
  }
  return 1;
}

__attribute__((noinline)) int pinhole(void *instance, double filmX, double filmY, double, double,
                                      double fracTime, CameraRay *ray) {
  const S *s = pickSample(instance, fracTime);
  if (!s) return 0;
  const double x = (s->shiftX + filmX) * s->planeScaleX;
  const double y = (s->shiftY + filmY) * s->planeScaleY;
  double d[3];
  for (int i = 0; i < 3; ++i) d[i] = s->focusForward[i] + x * s->right[i] + y * s->up[i];
  const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
  for (int i = 0; i < 3; ++i) {
    ray->origin[i] = s->position[i];
    ray->direction[i] = d[i] / length;
    ray->facing[i] = s->forward[i];
  }
  return 1;
}

}  // namespace

BaselineFrame baselineFrame(BenchCamera &camera, int motionSteps) {
  const FrameInfo frame = BenchCamera::frameInfo(motionSteps);
  const double W = BenchCamera::filmWidth(), Hf = BenchCamera::filmHeight();
  BaselineFrame out;
  out.sampleCount = 4 * static_cast<uint32_t>(motionSteps);
  for (uint32_t k = 0; k <= out.sampleCount; ++k) {
    const double t = frame.start + (frame.duration / out.sampleCount) * k;
    const refhost::ItemAxes axes = camera.camera().axesAt(t);
    const double hFov = camera.channel("HFOV").valueAt(t), vFov = camera.channel("VFOV").valueAt(t);
    const double focus = camera.camera().focalDistanceAt(t);
    S s{};
    copy(s.position, camera.camera().positionAt(t));
    copy(s.right, axes.right, 1 / length(axes.right));
    copy(s.up, axes.up, 1 / length(axes.up));
    copy(s.forward, axes.forward, 1 / length(axes.forward));
    copy(s.focusForward, axes.forward, focus / length(axes.forward));
    s.shiftX = W * camera.channel("HShift").valueAt(t);
    s.shiftY = camera.channel("VShift").valueAt(t) * Hf;
    s.angleScaleX = hFov / W;
    s.angleScaleY = vFov / Hf;
    s.planeScaleX = std::tan(hFov * 0.5) * (2 / W) * focus;
    s.planeScaleY = std::tan(vFov * 0.5) * (2 / Hf) * focus;
    out.samples.push_back(s);
  }
  return out;
}

CameraEvaluateFunc equirectangularBaseline = equirectangular;
CameraEvaluateFunc pinholeBaseline = pinhole;

}  // namespace bench
