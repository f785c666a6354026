// The camera handler's callbacks: they ask the host for the camera's
// settings, lens and pose at each time they need, and hand typed values to
// the camera model.
#include "host/camera_callbacks.h"

#include <cstddef>
#include <cstdlib>

#include "camera/instance.h"
#include "camera/preview.h"
#include "camera/ray_kernel.h"
#include "host/parameters.h"
#include "host/services.h"

namespace skyrind {
namespace {

constexpr const char *kNoMemory = "Can't allocate Memory";
constexpr const char *kNoCameraInfo =
    "Skyrind: the host has no \"LW Camera Info 5\" or \"LW Camera Info 10\" service";
constexpr const char *kNoItemInfo =
    "Skyrind: the host has no \"LW Item Info 4\", \"LW Item Info 8\" or \"LW Item Info 9\" service";
constexpr const char *kNoRecords = "Skyrind: no camera instance, frame or camera record given";

CameraInstance *cameraOf(void *instance) {
  return static_cast<CameraInstance *>(instance);
}

// 4 × motion steps must fit the unsigned 32-bit count; a negative count or a
// larger one is refused like a table that cannot be allocated.
bool validMotionSteps(int32_t steps) {
  return steps >= 0 && steps <= 0x3FFFFFFF;
}

FilmSize filmOf(const CameraAccess &access) {
  return {access.filmWidth, access.filmHeight};
}

// Focal distance, then f-stop, of the camera item at `time`.
Lens lensAt(const CameraInfo &cameraInfo, void *item, double time) {
  const double focalDistance = cameraInfo.focalDistance(item, time);
  const double fStop = cameraInfo.fStop(item, time);
  return {focalDistance, fStop};
}

Vec3 itemVector(const ItemInfo &items, void *item, int code, double time) {
  double out[3] = {0.0, 0.0, 0.0};
  items.param(item, code, time, out);
  return {out[0], out[1], out[2]};
}

// World position, then the right, up and forward axes.
CameraPose poseAt(const ItemInfo &items, void *item, double time) {
  const Vec3 position = itemVector(items, item, ITEM_W_POSITION, time);
  const Vec3 right = itemVector(items, item, ITEM_RIGHT, time);
  const Vec3 up = itemVector(items, item, ITEM_UP, time);
  const Vec3 forward = itemVector(items, item, ITEM_FORWARD, time);
  return {position, right, up, forward};
}

// Asks the host for everything at time t, in the host's order (parameters,
// lens, pose), and derives the sample. Returns a message when a service is
// missing.
const char *sampleAt(CameraInstance &camera, const CameraAccess &access, double t,
                     FrameSample &sample) {
  evaluateParameters(camera, t);
  const auto *cameraInfo = lookupRecord<CameraInfo>(kCameraInfoService);
  if (!cameraInfo) return kNoCameraInfo;
  const Lens lens = lensAt(*cameraInfo, access.cameraItem, t);
  const auto *items = lookupRecord<ItemInfo>(kItemInfoService);
  if (!items) return kNoItemInfo;
  const CameraPose pose = poseAt(*items, access.cameraItem, t);
  camera.film = filmOf(access);
  sample = deriveSample(camera.settings, pose, lens, camera.film);
  return nullptr;
}

}  // namespace

// Samples the camera at sampleCount + 1 evenly spaced times across the
// exposure into a new table, so that a ray only reads one sample.
const char *newFrame(void *instance, const FrameInfo *frame, const CameraAccess *access) {
  CameraInstance *camera = cameraOf(instance);
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
  auto *table = static_cast<FrameSample *>(std::calloc(size_t{count} + 1, sizeof(FrameSample)));
  if (!table) return kNoMemory;

  for (uint32_t i = 0; i <= count; ++i) {
    // Quotient first, then the product with i, then the sum.
    const double t =
        count == 0 ? camera->frameStart
                   : camera->frameStart + (camera->frameDuration / static_cast<double>(count)) *
                                              static_cast<double>(i);
    if (const char *message = sampleAt(*camera, *access, t, table[i])) {
      std::free(table);
      return message;
    }
  }
  camera->samples = table;
  return nullptr;
}

// Inline into both evaluate callbacks, so that each holds the whole ray.
[[gnu::always_inline]] inline int writeRay(void *instance, double filmX, double filmY, double lensX,
                                           double lensY, double fracTime, CameraRay *ray) {
  const CameraInstance *camera = cameraOf(instance);
  if (!camera || !camera->samples || !ray) return 0;
  const FrameSample &sample = camera->samples[sampleIndex(camera->sampleCount, fracTime)];
  const Ray r = traceRay(sample, filmX, filmY, lensX, lensY);
  *ray = {{r.origin.x, r.origin.y, r.origin.z},
          {r.direction.x, r.direction.y, r.direction.z},
          {r.facing.x, r.facing.y, r.facing.z}};
  return CAMERA_RAY_WRITTEN;
}

int evaluateRay(void *instance, double filmX, double filmY, double lensX, double lensY,
                double fracTime, CameraRay *ray) {
  return writeRay(instance, filmX, filmY, lensX, lensY, fracTime, ray);
}

int evaluateRayForEye(void *instance, double filmX, double filmY, double lensX, double lensY,
                      double fracTime, int, CameraRay *ray, const CameraAccess *) {
  return writeRay(instance, filmX, filmY, lensX, lensY, fracTime, ray);
}

// The projection at the host's current time.
int previewMatrix(void *instance, double lensX, double lensY, double projection[16],
                  const CameraAccess *access) {
  CameraInstance *camera = cameraOf(instance);
  if (!camera || !projection || !access) return 0;
  const auto *timeInfo = lookupRecord<TimeInfo>(kTimeInfoService);
  if (!timeInfo) return 0;
  const double t = timeInfo->time;
  evaluateParameters(*camera, t);
  const auto *cameraInfo = lookupRecord<CameraInfo>(kCameraInfoService);
  if (!cameraInfo) return 0;
  const Lens lens = lensAt(*cameraInfo, access->cameraItem, t);
  camera->film = filmOf(*access);
  const Projection p =
      previewProjection(camera->settings, lens, camera->film, services.pi, lensX, lensY);
  for (int i = 0; i < 16; ++i) projection[i] = p[i];
  return 1;
}

int previewMatrixForEye(void *instance, double lensX, double lensY, int, double projection[16],
                        const CameraAccess *access) {
  return previewMatrix(instance, lensX, lensY, projection, access);
}

unsigned int handlerFlags(void *) {
  return CAMERA_SUPPORTS_DEPTH_OF_FIELD;
}

unsigned int eyeHandlerFlags(void *) {
  return CAMERA_SUPPORTS_DEPTH_OF_FIELD | CAMERA_NO_PROJECTION;
}

int noProjection(void *, double, double, const double[3], double, int, double[3],
                 const CameraAccess *) {
  return 0;
}

}  // namespace skyrind
