#include "bench/baseline_rays.h"

#include <cmath>
#include <cstdint>

#include "camera/instance.h"

namespace bench {
namespace {

using skyrind::CameraInstance;
using skyrind::FrameSample;

const FrameSample *pickSample(void *instance, double fracTime) {
  const auto *camera = static_cast<const CameraInstance *>(instance);
  if (!camera->samples) return nullptr;
  return &camera->samples[static_cast<uint32_t>(camera->sampleCount * fracTime)];
}

__attribute__((noinline)) int equirectangular(void *instance, double filmX, double filmY, double,
                                              double, double fracTime, CameraRay *ray) {
  const FrameSample *s = pickSample(instance, fracTime);
  if (!s) return 0;
  const double longitude = (s->shiftX + filmX) * s->angleScaleX;
  const double latitude = (s->shiftY + filmY) * s->angleScaleY;
  const double sinLon = std::sin(longitude), cosLon = std::cos(longitude);
  const double sinLat = std::sin(latitude), cosLat = std::cos(latitude);
  const double r = cosLat * sinLon, u = sinLat, f = cosLat * cosLon;
  const double *axes[3] = {&s->right.x, &s->up.x, &s->forward.x};
  for (int i = 0; i < 3; ++i) {
    ray->origin[i] = (&s->position.x)[i];
    ray->direction[i] = r * axes[0][i] + u * axes[1][i] + f * axes[2][i];
    ray->facing[i] = cosLon * axes[2][i] + sinLon * axes[0][i];
  }
  return 1;
}

__attribute__((noinline)) int pinhole(void *instance, double filmX, double filmY, double, double,
                                      double fracTime, CameraRay *ray) {
  const FrameSample *s = pickSample(instance, fracTime);
  if (!s) return 0;
  const double x = (s->shiftX + filmX) * s->planeScaleX;
  const double y = (s->shiftY + filmY) * s->planeScaleY;
  double d[3];
  for (int i = 0; i < 3; ++i)
    d[i] = (&s->focusForward.x)[i] + x * (&s->right.x)[i] + y * (&s->up.x)[i];
  const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
  for (int i = 0; i < 3; ++i) {
    ray->origin[i] = (&s->position.x)[i];
    ray->direction[i] = d[i] / length;
    ray->facing[i] = (&s->forward.x)[i];
  }
  return 1;
}

}  // namespace

CameraEvaluateFunc equirectangularBaseline = equirectangular;
CameraEvaluateFunc pinholeBaseline = pinhole;

}  // namespace bench
