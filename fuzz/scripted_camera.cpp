#include "fuzz/scripted_camera.h"

#include <cstring>

#include "refhost/host.h"

namespace skyrind_fuzz {
namespace {

CameraScript script{};

void copyVector(const double from[3], double out[3]) {
  std::memcpy(out, from, 3 * sizeof(double));
}

// The scripted vector for a code; other codes leave `out` alone.
void param(void *, int code, double, double out[3]) {
  switch (code) {
    case ITEM_W_POSITION:
      copyVector(script.position, out);
      break;
    case ITEM_RIGHT:
      copyVector(script.right, out);
      break;
    case ITEM_UP:
      copyVector(script.up, out);
      break;
    case ITEM_FORWARD:
      copyVector(script.forward, out);
      break;
    default:
      break;
  }
}

void *chanGroup(void *item) {
  auto *host = static_cast<const ItemInfo *>(refhost::Host::globalLookup()(ITEM_INFO_NAME, 0));
  return host ? host->chanGroup(item) : nullptr;
}

double focalDistance(void *, double) {
  return script.focalDistance;
}

double fStop(void *, double) {
  return script.fStop;
}

ItemInfo itemRecord = [] {
  ItemInfo r{};
  r.param = param;
  r.chanGroup = chanGroup;
  return r;
}();

CameraInfo cameraRecord = [] {
  CameraInfo r{};
  r.focalDistance = focalDistance;
  r.fStop = fStop;
  return r;
}();

void *lookup(const char *name, int useCode) {
  if (name && std::strcmp(name, ITEM_INFO_NAME) == 0) return &itemRecord;
  if (name && std::strcmp(name, CAMERA_INFO_NAME) == 0) return &cameraRecord;
  return refhost::Host::globalLookup()(name, useCode);
}

}  // namespace

void setCameraScript(const CameraScript &value) {
  script = value;
}

GlobalFunc scriptedLookup() {
  return lookup;
}

}  // namespace skyrind_fuzz
