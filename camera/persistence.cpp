#include "camera/persistence.h"

#include <algorithm>

namespace skyrind {

std::array<float, kStoredWords> storedValues(const CameraSettings &settings) {
  return {static_cast<float>(settings.hFov),
          static_cast<float>(settings.vFov),
          static_cast<float>(settings.hShift),
          static_cast<float>(settings.vShift),
          0.0f,
          0.0f,
          0.0f,
          0.0f};
}

std::array<int16_t, kStoredWords> storedSwitches(const Switches &on) {
  return {static_cast<int16_t>(on.hPerspective),
          static_cast<int16_t>(on.vPerspective),
          static_cast<int16_t>(on.verticalPanorama),
          static_cast<int16_t>(on.autoHFov),
          static_cast<int16_t>(on.autoVFov),
          0,
          0,
          0};
}

void restoreValues(CameraSettings &settings, const float *values, int delivered) {
  double *const fields[] = {&settings.hFov, &settings.vFov, &settings.hShift, &settings.vShift};
  const int count = std::clamp(delivered, 0, 4);
  for (int i = 0; i < count; ++i) *fields[i] = values[i];
}

void restoreSwitches(Switches &on, const int16_t *words, int delivered) {
  int32_t *const fields[] = {&on.hPerspective, &on.vPerspective, &on.verticalPanorama, &on.autoHFov,
                             &on.autoVFov};
  const int count = std::clamp(delivered, 0, 5);
  for (int i = 0; i < count; ++i) *fields[i] = words[i];
}

}  // namespace skyrind
