// What the user sets on the stereo and dome cameras, as evaluated at one
// time, and the values a frame actually uses when what was typed lies outside
// the range a camera can use.
#pragma once

#include <cstdint>

namespace skyrind {

// The projection of a VR camera: omni-directional stereo over the whole
// sphere, two 180° eyes side by side, or an angular fisheye dome master.
enum class VrCamera { Stereo360, VR180, Dome };

// Which eyes a stereo frame holds.
enum class StereoEyes : int32_t {
  Both = 0,  // Stereo 360: left on top; VR180: left on the left
  Left = 1,
  Right = 2,
};

struct StereoSettings {
  double eyeSeparation;     // metres between the eyes
  double convergence;       // metres to where the eyes' rays meet; 0 = parallel eyes
  double poleMergeFrom;     // radians of latitude where the eyes start to merge
  double poleMergeTo;       // radians of latitude from which they are one
  int32_t eyes;             // a StereoEyes value
  int32_t parallelCameras;  // VR180: non-zero = two parallel lenses, no pole merge
};

struct DomeSettings {
  double fieldOfView;  // radians across the circle
  double tilt;         // radians the dome's axis leans from `up` towards `forward`
};

// 6.5 cm between the eyes (an adult's), zero parallax at infinity, the eyes
// merging from 60° to 75° of latitude, both eyes, the lenses turning with the
// view.
inline StereoSettings defaultStereoSettings(double pi) {
  return {0.065, 0.0, pi / 3, 5 * pi / 12, static_cast<int32_t>(StereoEyes::Both), 0};
}

// A half-sphere dome master with its zenith at the centre.
inline DomeSettings defaultDomeSettings(double pi) {
  return {pi, 0.0};
}

// The settings brought into the range the rays use, never written back: a
// negative separation or convergence counts as 0, merge angles as 0..π/2, a
// value that is not finite as its default, eyes outside 0..2 as both, and
// parallel cameras as 0 or 1.
StereoSettings usableStereo(const StereoSettings &settings, double pi);

// The field of view brought into π/180..2π (1° to 360°), the tilt into
// −π/2..π/2; a value that is not finite counts as its default.
DomeSettings usableDome(const DomeSettings &settings, double pi);

}  // namespace skyrind
