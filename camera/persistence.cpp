// The instance's block in the host's scene: the four parameters, then eight
// floats (hFov, vFov, hShift, vShift, four zeros), then eight 16-bit integers
// (the five switches, three zeros).
#include <algorithm>

#include "camera/instance.h"

namespace skyrind {
namespace {

constexpr int kBlockWords = 8;

// The number of the first `wanted` values a read actually delivered; a host
// may answer with any count, so it is bounded to what was asked for.
int delivered(int count, int wanted) {
  return std::clamp(count, 0, wanted);
}

}  // namespace

const char *saveInstance(void *instance, const SaveState *state) {
  auto *camera = static_cast<CameraInstance *>(instance);
  if (!camera || !state) return nullptr;
  if (const char *message = saveParameters(*camera, state)) return message;

  const float values[kBlockWords] = {static_cast<float>(camera->hFov),
                                     static_cast<float>(camera->vFov),
                                     static_cast<float>(camera->hShift),
                                     static_cast<float>(camera->vShift),
                                     0.0f,
                                     0.0f,
                                     0.0f,
                                     0.0f};
  const int16_t flags[kBlockWords] = {static_cast<int16_t>(camera->hPerspective),
                                      static_cast<int16_t>(camera->vPerspective),
                                      static_cast<int16_t>(camera->verticalPanorama),
                                      static_cast<int16_t>(camera->autoHFov),
                                      static_cast<int16_t>(camera->autoVFov),
                                      0,
                                      0,
                                      0};
  if (state->writeFP) state->writeFP(state->writeData, values, kBlockWords);
  if (state->writeI2) state->writeI2(state->writeData, flags, kBlockWords);
  return nullptr;
}

const char *loadInstance(void *instance, const LoadState *state) {
  auto *camera = static_cast<CameraInstance *>(instance);
  if (!camera || !state) return nullptr;
  if (const char *message = loadParameters(*camera, state)) return message;

  // A short read leaves the fields it did not deliver as they were.
  float values[kBlockWords] = {};
  const int valueCount =
      state->readFP ? delivered(state->readFP(state->readData, values, kBlockWords), kBlockWords)
                    : 0;
  double *const valueFields[] = {&camera->hFov, &camera->vFov, &camera->hShift, &camera->vShift};
  for (int i = 0; i < std::min(valueCount, 4); ++i) *valueFields[i] = values[i];

  int16_t flags[kBlockWords] = {};
  const int flagCount =
      state->readI2 ? delivered(state->readI2(state->readData, flags, kBlockWords), kBlockWords)
                    : 0;
  int32_t *const flagFields[] = {&camera->hPerspective, &camera->vPerspective,
                                 &camera->verticalPanorama, &camera->autoHFov, &camera->autoVFov};
  for (int i = 0; i < std::min(flagCount, 5); ++i) *flagFields[i] = flags[i];
  return nullptr;
}

}  // namespace skyrind
