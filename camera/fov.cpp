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

FieldOfView resolveFieldOfView(const CameraSettings &settings, const FilmSize &film) {
  const double hFov = settings.hFov;
  const double vFov = settings.vFov;
  const Switches &on = settings.switches;
  const bool hPerspective = on.hPerspective != 0;
  const bool vPerspective = on.vPerspective != 0;
  if (on.autoVFov)
    return {hFov, deriveAngle(hFov, hPerspective, vPerspective, film.height, film.width)};
  if (on.autoHFov)
    return {deriveAngle(vFov, vPerspective, hPerspective, film.width, film.height), vFov};
  return {hFov, vFov};
}

}  // namespace skyrind
