// Effective fields of view: one axis may follow from the other and the film's
// aspect.
#pragma once

#include "camera/instance.h"

namespace skyrind {

struct FieldOfView {
  double horizontal;  // radians
  double vertical;    // radians
};

// Resolves the instance's hFov/vFov (already evaluated at the time in
// question) for a film of width w and height h; the instance is not changed.
FieldOfView resolveFieldOfView(const CameraInstance &camera, double w, double h);

}  // namespace skyrind
