#include "host/camera_queries.h"

#include "host/services.h"

namespace skyrind {
namespace {

Vec3 itemVector(const ItemInfo &items, void *item, int code, double time) {
  double out[3] = {0.0, 0.0, 0.0};
  items.param(item, code, time, out);
  return {out[0], out[1], out[2]};
}

}  // namespace

const char *const kNoCameraInfoMessage =
    "Skyrind: the host has no \"LW Camera Info 5\" or \"LW Camera Info 10\" service";
const char *const kNoItemInfoMessage =
    "Skyrind: the host has no \"LW Item Info 4\", \"LW Item Info 8\" or \"LW Item Info 9\" service";

FilmSize filmOf(const CameraAccess &access) {
  return {access.filmWidth, access.filmHeight};
}

const char *lensAt(void *item, double time, Lens &lens) {
  const auto *cameraInfo = lookupRecord<CameraInfo>(kCameraInfoService);
  if (!cameraInfo) return kNoCameraInfoMessage;
  const double focalDistance = cameraInfo->focalDistance(item, time);
  const double fStop = cameraInfo->fStop(item, time);
  lens = {focalDistance, fStop};
  return nullptr;
}

const char *poseAt(void *item, double time, CameraPose &pose) {
  const auto *items = lookupRecord<ItemInfo>(kItemInfoService);
  if (!items) return kNoItemInfoMessage;
  const Vec3 position = itemVector(*items, item, ITEM_W_POSITION, time);
  const Vec3 right = itemVector(*items, item, ITEM_RIGHT, time);
  const Vec3 up = itemVector(*items, item, ITEM_UP, time);
  const Vec3 forward = itemVector(*items, item, ITEM_FORWARD, time);
  pose = {position, right, up, forward};
  return nullptr;
}

}  // namespace skyrind
