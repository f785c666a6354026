// The embedded scene that makes a panorama readable at a glance: a ground
// grid, a coloured landmark in each of the six axis directions around the
// camera's default place (0, 1.6, 0) and the sky's 15-degree lines.
#pragma once

#include "common/vec3.h"
#include "scene/scene.h"

namespace skyhost {

// Landmark colours (linear RGB), by the direction they stand in.
struct LandmarkColours {
  static constexpr Vec3 front{0.9, 0.05, 0.05};  // +z red
  static constexpr Vec3 back{0.95, 0.8, 0.05};   // -z yellow
  static constexpr Vec3 right{0.05, 0.75, 0.1};  // +x green
  static constexpr Vec3 left{0.1, 0.2, 0.95};    // -x blue
  static constexpr Vec3 up{0.85, 0.1, 0.8};      // +y magenta
  static constexpr Vec3 down{0.05, 0.8, 0.85};   // -y cyan
};

// Adds the ground, the landmarks and their preview edges.
void addDefaultScene(Scene &scene);

}  // namespace skyhost
