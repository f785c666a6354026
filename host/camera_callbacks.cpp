// The camera handler's callbacks: they ask the host for the camera's
// settings, lens and pose at each time they need, and hand typed values to
// the camera model.
#include "host/camera_callbacks.h"

#include <cstddef>
#include <cstdlib>

#include "camera/instance.h"
#include "camera/preview.h"
#include "host/camera_queries.h"
#include "host/parameters.h"
#include "host/ray_writer.h"
#include "host/sample_table.h"
#include "host/services.h"

namespace skyrind {
namespace {

constexpr const char *kNoRecords = "Skyrind: no camera instance, frame or camera record given";

CameraInstance *cameraOf(void *instance) {
  return static_cast<CameraInstance *>(instance);
}

// Asks the host for everything at time t, in the host's order (parameters,
// lens, pose), and derives the sample. Returns a message when a service is
// missing.
const char *sampleAt(CameraInstance &camera, const CameraAccess &access, double t,
                     FrameSample &sample) {
  evaluateParameters(camera, t);
  Lens lens;
  if (const char *message = lensAt(access.cameraItem, t, lens)) return message;
  CameraPose pose;
  if (const char *message = poseAt(access.cameraItem, t, pose)) return message;
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
  return newSampleTable(*frame, camera->timing, camera->samples,
                        [camera, access](double t, FrameSample &sample) {
                          return sampleAt(*camera, *access, t, sample);
                        });
}

// Inline into both evaluate callbacks: the checks, the sample of the time,
// and a jump to the kernel.
[[gnu::always_inline]] inline int evaluate(void *instance, double filmX, double filmY, double lensX,
                                           double lensY, double fracTime, CameraRay *ray) {
  const CameraInstance *camera = cameraOf(instance);
  if (!camera || !camera->samples || !ray) return 0;
  const FrameSample &s = camera->samples[sampleIndex(camera->timing.sampleCount, fracTime)];
  return withRayKernel(s, [&]<bool verticalPanorama, bool hPerspective, bool vPerspective>() {
    return writeRay<verticalPanorama, hPerspective, vPerspective>(s, filmX, filmY, lensX, lensY,
                                                                  ray);
  });
}

int evaluateRay(void *instance, double filmX, double filmY, double lensX, double lensY,
                double fracTime, CameraRay *ray) {
  return evaluate(instance, filmX, filmY, lensX, lensY, fracTime, ray);
}

int evaluateRayForEye(void *instance, double filmX, double filmY, double lensX, double lensY,
                      double fracTime, int, CameraRay *ray, const CameraAccess *) {
  return evaluate(instance, filmX, filmY, lensX, lensY, fracTime, ray);
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
  Lens lens;
  if (lensAt(access->cameraItem, t, lens)) return 0;
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

}  // namespace skyrind
