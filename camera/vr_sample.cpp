#include "camera/vr_sample.h"

#include <algorithm>
#include <cmath>

namespace skyrind {
namespace {

// v / |v|, each component divided by the one length √(x² + y² + z²).
Vec3 unit(const Vec3 &v) {
  const double l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / l, v.y / l, v.z / l};
}

}  // namespace

VrSample deriveVrSample(VrCamera camera, const StereoSettings &stereo, const DomeSettings &dome,
                        const CameraPose &pose, const FilmSize &film, double pi) {
  VrSample s;
  s.position = pose.position;
  s.right = unit(pose.right);
  s.up = unit(pose.up);
  s.forward = unit(pose.forward);
  s.film = film;

  s.stereo = usableStereo(stereo, pi);
  // Only the VR180 camera has parallel lenses.
  if (camera != VrCamera::VR180) s.stereo.parallelCameras = 0;
  s.dome = usableDome(dome, pi);

  s.pi = pi;
  s.halfPi = pi / 2;
  s.turnPerWidth = (pi + pi) / film.width;
  s.halfTurnPerWidth = pi / film.width;
  s.turnPerHeight = (pi + pi) / film.height;
  s.halfTurnPerHeight = pi / film.height;

  const double b = s.stereo.eyeSeparation, C = s.stereo.convergence;
  s.halfSeparation = b / 2;
  // 2^−e with max(C, b / 2) = m · 2^e, m in [1/2, 1); 1 when both are 0.
  // At most 2^1020, which a subnormal maximum would overflow.
  int e = 0;
  std::frexp(std::max(C, s.halfSeparation), &e);
  s.aimScale = std::ldexp(1.0, -std::max(e, -1020));
  s.aimConvergence = C * s.aimScale;

  s.domeRadius = std::min(film.width, film.height) / 2;
  s.domeHalfFov = s.dome.fieldOfView / 2;
  s.domeTilt = sinCos(s.dome.tilt);
  const double cosTilt = s.domeTilt.c, sinTilt = s.domeTilt.s;
  s.domeAxis = cosTilt * s.up + sinTilt * s.forward;
  s.domeFront = -sinTilt * s.up + cosTilt * s.forward;
  return s;
}

}  // namespace skyrind
