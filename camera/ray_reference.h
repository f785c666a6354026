// The camera's ray written out plainly, step by step as the algorithm states
// it: the full 4×4 axis-angle rotation builder, the point transform, the two
// steps in the panorama's order. Slow and obvious on purpose: the ray kernel
// (camera/ray_kernel.h) must equal it bit for bit.
#pragma once

#include "camera/frame_sample.h"
#include "camera/ray_kernel.h"

namespace skyrind {

Ray referenceRay(const FrameSample &sample, double filmX, double filmY, double lensX, double lensY);

}  // namespace skyrind
