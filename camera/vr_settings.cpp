#include "camera/vr_settings.h"

#include <cmath>

namespace skyrind {
namespace {

// The value within [low, high]; one that is not finite reads as fallback.
double within(double value, double low, double high, double fallback) {
  if (!std::isfinite(value)) return fallback;
  if (value < low) return low;
  if (value > high) return high;
  return value;
}

// A finite value of at least 0 (so −0 reads as +0); one that is not finite
// reads as fallback.
double notNegative(double value, double fallback) {
  if (!std::isfinite(value)) return fallback;
  return value > 0.0 ? value : 0.0;
}

}  // namespace

StereoSettings usableStereo(const StereoSettings &settings, double pi) {
  const StereoSettings defaults = defaultStereoSettings(pi);
  const double quarterTurn = pi / 2;
  StereoSettings usable;
  usable.eyeSeparation = notNegative(settings.eyeSeparation, defaults.eyeSeparation);
  usable.convergence = notNegative(settings.convergence, defaults.convergence);
  usable.poleMergeFrom = within(settings.poleMergeFrom, 0.0, quarterTurn, defaults.poleMergeFrom);
  usable.poleMergeTo = within(settings.poleMergeTo, 0.0, quarterTurn, defaults.poleMergeTo);
  usable.eyes = settings.eyes >= 0 && settings.eyes <= 2 ? settings.eyes : defaults.eyes;
  usable.parallelCameras = settings.parallelCameras != 0 ? 1 : 0;
  return usable;
}

DomeSettings usableDome(const DomeSettings &settings, double pi) {
  const DomeSettings defaults = defaultDomeSettings(pi);
  DomeSettings usable;
  usable.fieldOfView = within(settings.fieldOfView, pi / 180, pi + pi, defaults.fieldOfView);
  usable.tilt = within(settings.tilt, -(pi / 2), pi / 2, defaults.tilt);
  return usable;
}

}  // namespace skyrind
