// The host's interactive view: the scene's edges drawn through the plug-in's
// preview projection, framed like the render so the two can be compared.
#pragma once

#include <array>
#include <vector>

#include "common/image.h"
#include "scene/scene.h"

namespace skyhost {

// Where the camera is and how it is turned: unit axes, right x up = forward.
struct CameraFrame {
  Vec3 position, right, up, forward;
};

struct PreviewFilm {
  double width, height;  // film units
};

// projection: P0..P15 in the host's column-major storage order, applied to
// the camera-space point (x, y, -z, 1): the host's view looks down -z while
// the camera's forward axis is +z. clip x / clip w is then film x in film
// units (likewise y), the coordinates the render's evaluate calls use.
Image drawPreview(const std::vector<Edge> &edges, const std::array<double, 16> &projection,
                  const CameraFrame &camera, const PreviewFilm &film, int width, int height);

}  // namespace skyhost
