// An ordinary perspective projection for the host's interactive views,
// approximating the camera at the current time: it covers the resolved fields
// of view (wide angular ones spread linearly), follows the image shift, and
// moves the eye by a lens position while keeping the focal plane in place.
#include <bit>
#include <cmath>
#include <cstdint>

#include "camera/callbacks.h"
#include "camera/fov.h"
#include "camera/instance.h"
#include "host/services.h"

namespace skyrind {
namespace {

// Depth terms −(f+n)/(f−n) and −2fn/(f−n) for near 1 and far 65000.
const double kDepthScale = std::bit_cast<double>(uint64_t{0xBFF0002043ADF7ED});
const double kDepthOffset = std::bit_cast<double>(uint64_t{0xC000001021D6FBF7});

// Half-extent of one axis on the projection plane per film unit: the tangent
// for perspective axes and narrow angular ones, else linear in the angle.
double halfExtent(double angle, double filmSize, bool perspective) {
  if (angle < services.pi / 2 || perspective) return 2 * std::tan(angle / 2) / filmSize;
  return 2 * (angle / services.pi) * 2 / filmSize;
}

}  // namespace

int previewProjection(void *instance, double lensX, double lensY, double projection[16],
                      const CameraAccess *access) {
  auto *camera = static_cast<CameraInstance *>(instance);
  if (!camera || !projection || !access) return 0;

  const auto *timeInfo = static_cast<const TimeInfo *>(lookupService(TIME_INFO_NAME));
  if (!timeInfo) return 0;
  const double t = timeInfo->time;
  evaluateParameters(*camera, t);

  const auto *cameraInfo = static_cast<const CameraInfo *>(lookupService(CAMERA_INFO_NAME));
  if (!cameraInfo) return 0;
  const double d = cameraInfo->focalDistance(access->cameraItem, t);
  const double F = cameraInfo->fStop(access->cameraItem, t);

  const double W = access->filmWidth;
  const double Hf = access->filmHeight;
  camera->filmWidth = W;
  camera->filmHeight = Hf;

  const FieldOfView fov = resolveFieldOfView(*camera, W, Hf);
  const double ex = halfExtent(fov.horizontal, W, camera->hPerspective != 0);
  const double ey = halfExtent(fov.vertical, Hf, camera->vPerspective != 0);
  const double k = (Hf / F * 0.5) / ey;

  for (int i = 0; i < 16; ++i) projection[i] = 0.0;
  projection[0] = 2 / (ex - (-ex));
  projection[5] = 2 / (ey - (-ey));
  projection[8] = (ex + (-ex)) / (ex - (-ex)) + camera->hShift * W + k * lensX / d;
  projection[9] = (ey + (-ey)) / (ey - (-ey)) + camera->vShift * Hf + k * lensY / d;
  projection[10] = kDepthScale;
  projection[11] = -1;
  projection[12] = k * lensX;
  projection[13] = k * lensY;
  projection[14] = kDepthOffset;
  return 1;
}

}  // namespace skyrind
