// The new-frame callback: samples the camera at sampleCount + 1 evenly spaced
// times across the exposure into the instance's table, so that a ray only
// reads one sample.
#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "camera/callbacks.h"
#include "camera/fov.h"
#include "camera/instance.h"
#include "camera/rotation.h"
#include "host/services.h"

namespace skyrind {
namespace {

constexpr const char *kNoMemory = "Can't allocate Memory";
constexpr const char *kNoCameraInfo = "Skyrind: the host has no \"LW Camera Info 5\" service";
constexpr const char *kNoItemInfo = "Skyrind: the host has no \"LW Item Info 4\" service";
constexpr const char *kNoRecords = "Skyrind: no camera instance, frame or camera record given";

// 4 × motion steps must fit the unsigned 32-bit count; a negative count or a
// larger one is refused like a table that cannot be allocated.
bool validMotionSteps(int32_t steps) {
  return steps >= 0 && steps <= 0x3FFFFFFF;
}

Vec3 itemVector(const ItemInfo &items, void *item, int code, double time) {
  double out[3] = {0.0, 0.0, 0.0};
  items.param(item, code, time, out);
  return {out[0], out[1], out[2]};
}

// Looks the services up, queries the camera at t and fills one sample.
// Returns a message when a service is missing.
const char *fillSample(CameraInstance &camera, const CameraAccess &access, double t, FrameSample &s,
                       SampleLanes &lanes) {
  evaluateParameters(camera, t);

  const auto *cameraInfo = static_cast<const CameraInfo *>(lookupService(CAMERA_INFO_NAME));
  if (!cameraInfo) return kNoCameraInfo;
  void *const item = access.cameraItem;
  const double d = cameraInfo->focalDistance(item, t);
  const double f = cameraInfo->fStop(item, t);

  const auto *items = static_cast<const ItemInfo *>(lookupService(ITEM_INFO_NAME));
  if (!items) return kNoItemInfo;
  const Vec3 P = itemVector(*items, item, ITEM_W_POSITION, t);
  const Vec3 R = itemVector(*items, item, ITEM_RIGHT, t);
  const Vec3 U = itemVector(*items, item, ITEM_UP, t);
  const Vec3 F = itemVector(*items, item, ITEM_FORWARD, t);

  const double W = access.filmWidth;
  const double Hf = access.filmHeight;
  camera.filmWidth = W;
  camera.filmHeight = Hf;

  const double lengthR = std::sqrt(R.x * R.x + R.y * R.y + R.z * R.z);
  const double lengthU = std::sqrt(U.x * U.x + U.y * U.y + U.z * U.z);
  const double lengthF = std::sqrt(F.x * F.x + F.y * F.y + F.z * F.z);
  s.right = {R.x / lengthR, R.y / lengthR, R.z / lengthR};
  s.up = {U.x / lengthU, U.y / lengthU, U.z / lengthU};
  s.focusForward = {F.x / lengthF * d, F.y / lengthF * d, F.z / lengthF * d};
  s.forward = {F.x / lengthF, F.y / lengthF, F.z / lengthF};
  s.position = P;

  s.shiftX = camera.filmWidth * camera.hShift;
  s.shiftY = camera.vShift * camera.filmHeight;
  s.lensRadius = (camera.filmHeight / f) * 0.5;

  const FieldOfView fov = resolveFieldOfView(camera, W, Hf);
  s.angleScaleX = fov.horizontal / W;
  s.angleScaleY = fov.vertical / Hf;
  s.planeScaleX = std::tan(fov.horizontal * 0.5) * (2 / W) * d;
  s.planeScaleY = std::tan(fov.vertical * 0.5) * (2 / Hf) * d;

  s.verticalPanorama = camera.verticalPanorama;
  s.hPerspective = camera.hPerspective;
  s.vPerspective = camera.vPerspective;

  // The rotation axes exactly as the rotation builder would normalise them.
  const Vec3 panAxis = normalised(s.up), tiltAxis = normalised(s.right);
  const Vec3 panAxisSq = squared(panAxis), tiltAxisSq = squared(tiltAxis);
  const auto pair = [](Lanes(&out)[3], const Vec3 &pan, const Vec3 &tilt) {
    out[0] = Lanes{pan.x, tilt.x};
    out[1] = Lanes{pan.y, tilt.y};
    out[2] = Lanes{pan.z, tilt.z};
  };
  pair(lanes.axis, panAxis, tiltAxis);
  pair(lanes.axisSq, panAxisSq, tiltAxisSq);
  pair(lanes.lensBasis, s.right, s.up);
  pair(lanes.targetFacing, s.focusForward, s.forward);
  lanes.kernel = (s.hPerspective != 0 ? 1u : 0u) | (s.vPerspective != 0 ? 2u : 0u) |
                 (s.verticalPanorama != 0 ? 4u : 0u);
  return nullptr;
}

}  // namespace

const char *newFrame(void *instance, const FrameInfo *frame, const CameraAccess *access) {
  auto *camera = static_cast<CameraInstance *>(instance);
  if (!camera || !frame || !access) return kNoRecords;

  camera->frameNumber = frame->frame;
  camera->frameStart = frame->start;
  camera->frameDuration = frame->duration;
  camera->framesPerSecond = frame->framesPerSecond;
  camera->sampleCount = 4u * static_cast<uint32_t>(frame->motionSteps);

  // The old table goes before the new one is asked for.
  std::free(camera->samples);
  camera->samples = nullptr;
  if (!validMotionSteps(frame->motionSteps)) return kNoMemory;
  const uint32_t count = camera->sampleCount;
  // One allocation: the samples, then their lanes, which calloc's alignment
  // and the samples' size keep 16-byte aligned.
  static_assert(alignof(SampleLanes) <= alignof(std::max_align_t));
  static_assert(sizeof(FrameSample) % alignof(SampleLanes) == 0);
  auto *table = static_cast<FrameSample *>(
      std::calloc(size_t{count} + 1, sizeof(FrameSample) + sizeof(SampleLanes)));
  if (!table) return kNoMemory;
  auto *lanes = const_cast<SampleLanes *>(&sampleLanes(table, count, 0));

  for (uint32_t i = 0; i <= count; ++i) {
    // Quotient first, then the product with i, then the sum.
    const double t =
        count == 0 ? camera->frameStart
                   : camera->frameStart + (camera->frameDuration / static_cast<double>(count)) *
                                              static_cast<double>(i);
    if (const char *message = fillSample(*camera, *access, t, table[i], lanes[i])) {
      std::free(table);
      return message;
    }
  }
  camera->samples = table;
  return nullptr;
}

}  // namespace skyrind
