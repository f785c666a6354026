// Renders a picture from a camera given as a ray callback: for every pixel
// sample it asks the camera for a ray and traces it into the scene, on
// several threads at once.
#pragma once

#include <cstdint>
#include <functional>

#include "common/image.h"
#include "common/options.h"
#include "scene/scene.h"

namespace skyhost {

// One sample the camera is asked about: a film position centred on the
// optical axis in film units (+y up), a lens position on the unit disk and a
// time as a fraction of the exposure.
struct CameraSample {
  double filmX, filmY, lensX, lensY, time;
};

// Sets origin and direction (unit) of the sample's ray; false when the
// camera gives none. Called from many threads at once.
using CameraRays = std::function<bool(const CameraSample &sample, Vec3 &origin, Vec3 &direction)>;

// The film, in film units: centred on the optical axis.
struct RenderFilm {
  double width, height;
};

struct RenderStats {
  std::uint64_t rays = 0;
  double seconds = 0;
};

// What a film position without a ray means: a fault of the camera (the
// render fails, naming how many), or a place the camera does not see, such
// as the corners of a dome master (black, and outside the image's alpha).
enum class RaylessSamples { Refused, Black };

// threads 0: every core. The result depends on the image settings' seed
// only, never on threads.
Image render(const Scene &scene, const CameraRays &camera, const ImageSettings &image,
             const RenderFilm &film, unsigned threads, RenderStats &stats,
             RaylessSamples rayless = RaylessSamples::Refused);

}  // namespace skyhost
