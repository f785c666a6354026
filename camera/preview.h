// An ordinary perspective projection for the host's interactive views,
// approximating the camera at one time: it covers the resolved fields of
// view (wide angular ones spread linearly), follows the image shift, and
// moves the eye by a lens position while keeping the focal plane in place.
#pragma once

#include <array>

#include "camera/frame_sample.h"
#include "camera/settings.h"

namespace skyrind {

// Sixteen doubles P0…P15 in the host's storage order (column-major).
using Projection = std::array<double, 16>;

// `pi` is the module's π (4·atan(1)); (lensX, lensY) the eye's position on
// the unit aperture.
Projection previewProjection(const CameraSettings &settings, const Lens &lens, const FilmSize &film,
                             double pi, double lensX, double lensY);

}  // namespace skyrind
