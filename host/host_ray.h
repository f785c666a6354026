// A camera's ray in the host's record: world position, unit direction and
// facing, as three arrays of x, y, z.
#pragma once

#include "camera/ray_kernel.h"
#include "host/host_abi.h"

namespace skyrind {

inline CameraRay hostRayOf(const Ray &r) {
  return {{r.origin.x, r.origin.y, r.origin.z},
          {r.direction.x, r.direction.y, r.direction.z},
          {r.facing.x, r.facing.y, r.facing.z}};
}

}  // namespace skyrind
