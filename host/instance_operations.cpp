// The instance operations the host calls: create, destroy, copy, load, save
// and describe, over the camera's parameters in the host's channels.
#include "host/instance_operations.h"

#include <cstdlib>

#include "camera/persistence.h"
#include "host/parameters.h"
#include "host/services.h"

namespace skyrind {
namespace {

CameraInstance *cameraOf(void *instance) {
  return static_cast<CameraInstance *>(instance);
}

}  // namespace

void *createInstance(void *, void *item, const char **error) {
  auto *camera = static_cast<CameraInstance *>(std::calloc(1, sizeof(CameraInstance)));
  if (!camera) {
    if (error) *error = "Couldn't allocate instance data.";
    return nullptr;
  }
  camera->settings = defaultSettings(services.pi);
  camera->cameraItem = static_cast<HostItem *>(item);
  if (services.items)
    camera->channelGroup = static_cast<HostChannelGroup *>(services.items->chanGroup(item));
  createParameters(*camera);
  camera->samples = nullptr;
  return camera;
}

void destroyInstance(void *instance) {
  CameraInstance *camera = cameraOf(instance);
  if (!camera) return;
  destroyParameters(*camera);
  std::free(camera->samples);
  std::free(camera);
}

// Copies the parameters' handles' contents and the five switches; never the
// values, the film size or the table.
const char *copyInstance(void *to, void *from) {
  CameraInstance *destination = cameraOf(to);
  const CameraInstance *source = cameraOf(from);
  if (!destination || !source) return nullptr;
  copyParameters(*destination, *source);
  destination->settings.switches = source->settings.switches;
  return nullptr;
}

const char *describeInstance(void *) {
  return "Skyrind";
}

const char *saveInstance(void *instance, const SaveState *state) {
  CameraInstance *camera = cameraOf(instance);
  if (!camera || !state) return nullptr;
  if (const char *message = saveParameters(*camera, state)) return message;
  const auto values = storedValues(camera->settings);
  const auto switches = storedSwitches(camera->settings.switches);
  if (state->writeFP) state->writeFP(state->writeData, values.data(), kStoredWords);
  if (state->writeI2) state->writeI2(state->writeData, switches.data(), kStoredWords);
  return nullptr;
}

const char *loadInstance(void *instance, const LoadState *state) {
  CameraInstance *camera = cameraOf(instance);
  if (!camera || !state) return nullptr;
  if (const char *message = loadParameters(*camera, state)) return message;
  float values[kStoredWords] = {};
  if (state->readFP)
    restoreValues(camera->settings, values, state->readFP(state->readData, values, kStoredWords));
  int16_t switches[kStoredWords] = {};
  if (state->readI2)
    restoreSwitches(camera->settings.switches, switches,
                    state->readI2(state->readData, switches, kStoredWords));
  return nullptr;
}

}  // namespace skyrind
