#include "host/vr_camera.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "camera/vr_instance.h"
#include "camera/vr_projection.h"
#include "host/camera_queries.h"
#include "host/host_ray.h"
#include "host/parameters.h"
#include "host/sample_table.h"

namespace skyrind {
namespace {

constexpr const char *kNoRecords = "Skyrind VR: no camera instance, frame or camera record given";
constexpr const char *kNewerBlock =
    "Skyrind VR: this camera was saved by a newer skyrind-vr.p; its settings are not read";

// The block's layout after the parameters: 1, Eyes, Parallel Cameras, 0.
constexpr int16_t kBlockLayout = 1;
constexpr int kBlockWords = 4;

using StereoSlot = ParameterSlot<VrParameterHandles, StereoSettings>;
using DomeSlot = ParameterSlot<VrParameterHandles, DomeSettings>;

constexpr StereoSlot kStereoParameters[] = {
    {&VrParameterHandles::eyeSeparation, &StereoSettings::eyeSeparation, VPARM_DISTANCE,
     "EyeSeparation"},
    {&VrParameterHandles::convergence, &StereoSettings::convergence, VPARM_DISTANCE, "Convergence"},
    {&VrParameterHandles::poleMergeFrom, &StereoSettings::poleMergeFrom, VPARM_ANGLE,
     "PoleMergeFrom"},
    {&VrParameterHandles::poleMergeTo, &StereoSettings::poleMergeTo, VPARM_ANGLE, "PoleMergeTo"},
};
constexpr DomeSlot kDomeParameters[] = {
    {&VrParameterHandles::fieldOfView, &DomeSettings::fieldOfView, VPARM_ANGLE, "DomeFOV"},
    {&VrParameterHandles::tilt, &DomeSettings::tilt, VPARM_ANGLE, "DomeTilt"},
};
constexpr ParameterTable<VrParameterHandles, StereoSettings> kStereoTable{kStereoParameters};
constexpr ParameterTable<VrParameterHandles, DomeSettings> kDomeTable{kDomeParameters};

VrInstance *cameraOf(void *instance) {
  return static_cast<VrInstance *>(instance);
}

bool isDome(const VrInstance &camera) {
  return camera.camera == VrCamera::Dome;
}

// Calls `stereo(kStereoTable, camera.stereo)` or `dome(kDomeTable,
// camera.dome)`: the camera's own parameters.
template <class Operation>
auto withParameters(VrInstance &camera, Operation operation) {
  if (isDome(camera)) return operation(kDomeTable, camera.dome);
  return operation(kStereoTable, camera.stereo);
}

void evaluateParameters(VrInstance &camera, double time) {
  withParameters(camera, [&](auto table, auto &values) {
    skyrind::evaluateParameters(table, camera.parameters, values, time);
  });
}

void *createCamera(VrCamera kind, void *item, const char **error) {
  auto *camera = static_cast<VrInstance *>(std::calloc(1, sizeof(VrInstance)));
  if (!camera) {
    if (error) *error = "Couldn't allocate instance data.";
    return nullptr;
  }
  camera->camera = kind;
  camera->stereo = defaultStereoSettings(services.pi);
  camera->dome = defaultDomeSettings(services.pi);
  camera->cameraItem = static_cast<HostItem *>(item);
  if (services.items)
    camera->channelGroup = static_cast<HostChannelGroup *>(services.items->chanGroup(item));
  withParameters(*camera, [&](auto table, auto &values) {
    createParameters(table, camera->parameters, values, camera->channelGroup);
  });
  return camera;
}

void *createStereo360(void *, void *item, const char **error) {
  return createCamera(VrCamera::Stereo360, item, error);
}
void *createVR180(void *, void *item, const char **error) {
  return createCamera(VrCamera::VR180, item, error);
}
void *createDome(void *, void *item, const char **error) {
  return createCamera(VrCamera::Dome, item, error);
}

void destroyCamera(void *instance) {
  VrInstance *camera = cameraOf(instance);
  if (!camera) return;
  withParameters(*camera,
                 [&](auto table, auto &) { destroyParameters(table, camera->parameters); });
  std::free(camera->samples);
  std::free(camera);
}

// Copies the parameters' contents and the choice and switch; never the
// values, the film size or the table. Cameras of two kinds share nothing.
const char *copyCamera(void *to, void *from) {
  VrInstance *destination = cameraOf(to);
  VrInstance *source = cameraOf(from);
  if (!destination || !source || destination->camera != source->camera) return nullptr;
  withParameters(*destination, [&](auto table, auto &) {
    copyParameters(table, destination->parameters, source->parameters);
  });
  destination->stereo.eyes = source->stereo.eyes;
  destination->stereo.parallelCameras = source->stereo.parallelCameras;
  return nullptr;
}

const char *saveCamera(void *instance, const SaveState *state) {
  VrInstance *camera = cameraOf(instance);
  if (!camera || !state) return nullptr;
  const char *message = withParameters(*camera, [&](auto table, auto &) {
    return saveParameters(table, camera->parameters, state);
  });
  if (message) return message;
  const bool stereo = !isDome(*camera);
  const int16_t words[kBlockWords] = {
      kBlockLayout, static_cast<int16_t>(stereo ? camera->stereo.eyes : 0),
      static_cast<int16_t>(camera->camera == VrCamera::VR180 ? camera->stereo.parallelCameras : 0),
      0};
  if (state->writeI2) state->writeI2(state->writeData, words, kBlockWords);
  return nullptr;
}

// A block that ends early keeps what it did not deliver; a layout from a
// newer module is refused before anything of it is taken.
const char *loadCamera(void *instance, const LoadState *state) {
  VrInstance *camera = cameraOf(instance);
  if (!camera || !state) return nullptr;
  const char *message = withParameters(*camera, [&](auto table, auto &) {
    return loadParameters(table, camera->parameters, state);
  });
  if (message) return message;
  if (!state->readI2) return nullptr;
  int16_t words[kBlockWords] = {kBlockLayout, static_cast<int16_t>(camera->stereo.eyes),
                                static_cast<int16_t>(camera->stereo.parallelCameras), 0};
  const int delivered = state->readI2(state->readData, words, kBlockWords);
  if (delivered < 1) return nullptr;
  if (words[0] > kBlockLayout) return kNewerBlock;
  if (isDome(*camera)) return nullptr;
  if (delivered >= 2) camera->stereo.eyes = words[1];
  if (delivered >= 3 && camera->camera == VrCamera::VR180)
    camera->stereo.parallelCameras = words[2];
  return nullptr;
}

double degrees(double radians) {
  return radians * 180.0 / services.pi;
}

const char *describeCamera(void *instance) {
  VrInstance *camera = cameraOf(instance);
  if (!camera) return "Skyrind VR";
  // The values at the host's current time, as its panel shows them.
  if (services.time) evaluateParameters(*camera, services.time->time);
  char *text = camera->description;
  const std::size_t size = sizeof camera->description;
  if (isDome(*camera)) {
    const DomeSettings d = usableDome(camera->dome, services.pi);
    std::snprintf(text, size, "Dome %.0f\u00b0, tilt %.0f\u00b0", degrees(d.fieldOfView),
                  degrees(d.tilt));
    return text;
  }
  const StereoSettings s = usableStereo(camera->stereo, services.pi);
  const char *name = camera->camera == VrCamera::VR180 ? "VR180" : "Stereo 360";
  if (camera->camera == VrCamera::VR180 && s.parallelCameras)
    std::snprintf(text, size, "%s, %.3g cm, parallel cameras", name, s.eyeSeparation * 100);
  else
    std::snprintf(text, size, "%s, %.3g cm, poles %.0f\u00b0\u2013%.0f\u00b0", name,
                  s.eyeSeparation * 100, degrees(s.poleMergeFrom), degrees(s.poleMergeTo));
  return text;
}

const char *newFrame(void *instance, const FrameInfo *frame, const CameraAccess *access) {
  VrInstance *camera = cameraOf(instance);
  if (!camera || !frame || !access) return kNoRecords;
  return newSampleTable(*frame, camera->timing, camera->samples,
                        [camera, access](double t, VrSample &sample) -> const char * {
                          evaluateParameters(*camera, t);
                          CameraPose pose;
                          if (const char *message = poseAt(access->cameraItem, t, pose))
                            return message;
                          camera->film = filmOf(*access);
                          sample = deriveVrSample(camera->camera, camera->stereo, camera->dome,
                                                  pose, camera->film, services.pi);
                          return nullptr;
                        });
}

// An eye the host asks for that is neither left nor right counts as centre.
EyeRequest requestOf(int eye) {
  if (eye == CAMERA_EYE_LEFT) return EyeRequest::Left;
  if (eye == CAMERA_EYE_RIGHT) return EyeRequest::Right;
  return EyeRequest::Centre;
}

[[gnu::always_inline]] inline int writeRay(void *instance, double filmX, double filmY,
                                           double fracTime, EyeRequest request, CameraRay *ray) {
  const VrInstance *camera = cameraOf(instance);
  if (!camera || !camera->samples || !ray) return 0;
  const VrSample &sample = camera->samples[sampleIndex(camera->timing.sampleCount, fracTime)];
  Ray r;
  if (!traceVrRay(sample, camera->camera, filmX, filmY, request, r)) return 0;
  *ray = hostRayOf(r);
  // A stereo camera's left or right ray is already the eye's: the host
  // must not offset it again.
  const bool eyeRay = request != EyeRequest::Centre && !isDome(*camera);
  return eyeRay ? CAMERA_RAY_WRITTEN | CAMERA_RAY_OF_EYE : CAMERA_RAY_WRITTEN;
}

int evaluate(void *instance, double filmX, double filmY, double, double, double fracTime,
             CameraRay *ray) {
  return writeRay(instance, filmX, filmY, fracTime, EyeRequest::Centre, ray);
}

int evaluateForEye(void *instance, double filmX, double filmY, double, double, double fracTime,
                   int eye, CameraRay *ray, const CameraAccess *) {
  return writeRay(instance, filmX, filmY, fracTime, requestOf(eye), ray);
}

// No matrix fits these projections: the host's views keep their own.
int noPreview(void *, double, double, double[16], const CameraAccess *) {
  return 0;
}
int noPreviewForEye(void *, double, double, int, double[16], const CameraAccess *) {
  return 0;
}

// No depth of field, no projection.
unsigned int flags(void *) {
  return CAMERA_NO_PROJECTION;
}

constexpr CameraServer serverFor(void *(*create)(void *, void *, const char **)) {
  return {.operations = {nullptr, create, destroyCamera, copyCamera, loadCamera, saveCamera,
                         describeCamera},
          .newFrame = newFrame,
          .preview = noPreview,
          .evaluate = evaluate,
          .flags = flags,
          .eyePreview = noPreviewForEye,
          .eyeEvaluate = evaluateForEye,
          .eyeFlags = flags,
          .project = noProjection};
}

}  // namespace

const CameraServer kStereo360Server = serverFor(createStereo360);
const CameraServer kVR180Server = serverFor(createVR180);
const CameraServer kDomeServer = serverFor(createDome);

}  // namespace skyrind
