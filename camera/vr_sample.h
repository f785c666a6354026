// One VR camera sample per time across the frame's exposure: the pose, the
// film and the usable settings, with everything that stays the same for every
// ray of that time worked out once, so that a ray only reads one record.
#pragma once

#include "camera/frame_sample.h"
#include "camera/runtime_math.h"
#include "camera/settings.h"
#include "camera/vec3.h"
#include "camera/vr_settings.h"

namespace skyrind {

struct VrSample {
  Vec3 position;  // P, world position as the host gives it
  Vec3 right;     // R, unit
  Vec3 up;        // U, unit
  Vec3 forward;   // F, unit
  FilmSize film;  // W, H in the units of the host's film positions

  StereoSettings stereo;  // usable values; parallelCameras 0 but for VR180
  DomeSettings dome;      // usable values

  double pi;
  double halfPi;  // π / 2: a quarter turn
  // Radians per film unit: 2π / W, π / W, 2π / H and π / H. A film position
  // times one of them is its angle, as X = filmX / W times 2π or π (or
  // differs from it in the last bit).
  double turnPerWidth;
  double halfTurnPerWidth;
  double turnPerHeight;
  double halfTurnPerHeight;

  // Stereo: the eyes' half separation b / 2 (metres), and the two terms of
  // the converged direction C · d − o scaled by one power of two that brings
  // the larger of C and b / 2 into [1/2, 1) (a scale of 2^1020 at most). The
  // direction is the same (scaling by a power of two is exact), but no input
  // overflows or underflows it: aimConvergence is C · aimScale.
  double halfSeparation;
  double aimConvergence;
  double aimScale;

  // Dome: h = min(W, H) / 2 the circle's radius in film units; Φ / 2 the
  // angle from the axis at the rim; the axis A = cos τ · U + sin τ · F and
  // the front Fd = −sin τ · U + cos τ · F for the tilt τ.
  double domeRadius;
  double domeHalfFov;
  SinCos domeTilt;
  Vec3 domeAxis;
  Vec3 domeFront;
};

// The sample for one camera's settings evaluated at one time, the camera's
// pose then (axes of any length: each is divided once by its own length) and
// the film's size. The settings are brought into range here (usableStereo,
// usableDome); pose and film are taken as given, and a zero axis or film
// size gives rays that are not finite, which the projection refuses.
VrSample deriveVrSample(VrCamera camera, const StereoSettings &stereo, const DomeSettings &dome,
                        const CameraPose &pose, const FilmSize &film, double pi);

}  // namespace skyrind
