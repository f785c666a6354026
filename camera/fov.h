// Effective fields of view: one axis may follow from the other and the film's
// aspect.
#pragma once

#include "camera/settings.h"

namespace skyrind {

struct FieldOfView {
  double horizontal;  // radians
  double vertical;    // radians
};

// The fields of view a film of this size covers with these settings (the
// values evaluated at the time in question). "Auto Vertical FOV" wins over
// "Auto Horizontal FOV".
FieldOfView resolveFieldOfView(const CameraSettings &settings, const FilmSize &film);

}  // namespace skyrind
