// One switch combination's ray, written into the host's record: a function
// of its own per combination, entered by a jump from the evaluate callbacks,
// so that each keeps its values in registers and only the kernels with an
// angle pay for the runtime's calls (and the stack guard they bring).
//
// The eight are compiled in two files: the kernels whose axes are alike, and
// those with one perspective and one angular axis, which g++ schedules better
// with its first scheduling pass on (CMakeLists.txt).
#pragma once

#include "camera/ray_kernel.h"
#include "host/host_abi.h"
#include "host/host_ray.h"

namespace skyrind {

template <bool verticalPanorama, bool hPerspective, bool vPerspective>
[[gnu::noinline]] int writeRay(const FrameSample &sample, double filmX, double filmY, double lensX,
                               double lensY, CameraRay *ray) {
  const Ray r = ray_kernel::trace<verticalPanorama, hPerspective, vPerspective>(
      sample, filmX, filmY, lensX, lensY);
  *ray = hostRayOf(r);
  return CAMERA_RAY_WRITTEN;
}

#define SKYRIND_RAY_WRITER(...) \
  int writeRay<__VA_ARGS__>(const FrameSample &, double, double, double, double, CameraRay *)
extern template SKYRIND_RAY_WRITER(false, false, false);
extern template SKYRIND_RAY_WRITER(false, true, true);
extern template SKYRIND_RAY_WRITER(true, false, false);
extern template SKYRIND_RAY_WRITER(true, true, true);
extern template SKYRIND_RAY_WRITER(false, true, false);
extern template SKYRIND_RAY_WRITER(false, false, true);
extern template SKYRIND_RAY_WRITER(true, true, false);
extern template SKYRIND_RAY_WRITER(true, false, true);

}  // namespace skyrind
