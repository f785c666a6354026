#include "camera/fov.h"

#include <cmath>

namespace skyrind {
namespace {

// Turns the known axis' angle into the other axis' angle. The known axis'
// half-extent on the film is tan(half angle) when perspective, else the half
// angle itself; `aspect` scales it to the other axis (other size / known size,
// applied as * numerator / denominator), and atan or doubling turns it back.
double deriveAngle(double known, bool knownPerspective, bool otherPerspective, double numerator,
                   double denominator) {
  if (knownPerspective && otherPerspective)
    return 2 * std::atan(std::tan(known / 2) * numerator / denominator);
  if (knownPerspective) return 2 * std::tan(known / 2) * numerator / denominator;
  if (otherPerspective) return 2 * std::atan((known / 2) * numerator / denominator);
  return known * numerator / denominator;
}

}  // namespace

FieldOfView resolveFieldOfView(const CameraInstance &camera, double w, double h) {
  const double hFov = camera.hFov;
  const double vFov = camera.vFov;
  const bool hPerspective = camera.hPerspective != 0;
  const bool vPerspective = camera.vPerspective != 0;
  if (camera.autoVFov) return {hFov, deriveAngle(hFov, hPerspective, vPerspective, h, w)};
  if (camera.autoHFov) return {deriveAngle(vFov, vPerspective, hPerspective, w, h), vFov};
  return {hFov, vFov};
}

}  // namespace skyrind
