#include "scene/sky.h"

#include <algorithm>

namespace skyhost {
namespace {

constexpr double kLineStep = 15.0;  // degrees between lines
constexpr double kLineWidth = 0.3;  // degrees, half width

// Angular distance, in degrees, to the nearest multiple of the step.
double offLine(double angle) {
  return std::abs(angle - kLineStep * std::round(angle / kLineStep));
}

}  // namespace

Vec3 skyColour(const Vec3 &d) {
  double latitude = degrees(std::asin(std::clamp(d.y, -1.0, 1.0)));
  double longitude = degrees(std::atan2(d.x, d.z));  // 0 forward (+z), 90 right (+x)
  // Longitude lines narrow towards the poles like the meridians they are.
  double alongLatitude = offLine(longitude) * std::cos(radians(latitude));
  if (offLine(latitude) < kLineWidth || alongLatitude < kLineWidth) return {0.9, 0.92, 1.0};
  if (d.y < 0) return {0.2, 0.2, 0.22};
  Vec3 horizon{0.7, 0.8, 0.95}, zenith{0.12, 0.3, 0.75};
  return horizon + (zenith - horizon) * std::sqrt(d.y);
}

}  // namespace skyhost
