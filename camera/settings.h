// What the user sets on one panoramic camera: the four animated values as
// evaluated at one time, and the five switches.
#pragma once

#include <cstdint>

namespace skyrind {

// Each switch is on when non-zero; a set keeps the 32-bit value it is given.
struct Switches {
  int32_t hPerspective;      // horizontal axis perspective (tangent), else angular
  int32_t vPerspective;      // vertical axis perspective, else angular
  int32_t verticalPanorama;  // pan first, then tilt: poles along `right`
  int32_t autoHFov;          // horizontal field of view from the vertical one and the aspect
  int32_t autoVFov;          // vertical field of view from the horizontal one; wins
};

struct CameraSettings {
  double hFov;    // horizontal field of view, radians
  double vFov;    // vertical field of view, radians
  double hShift;  // image shift, fraction of the film width
  double vShift;  // image shift, fraction of the film height
  Switches switches;
};

// A new camera sees the whole sphere: 2π across, π down, no shift, all off.
inline CameraSettings defaultSettings(double pi) {
  return {pi + pi, pi, 0.0, 0.0, {}};
}

// Film size in the units of the host's film positions.
struct FilmSize {
  double width;
  double height;
};

}  // namespace skyrind
