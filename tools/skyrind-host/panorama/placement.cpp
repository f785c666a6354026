#include "panorama/placement.h"

#include <cmath>

#include "common/input_error.h"

namespace skyhost {
namespace {

// The pole's frame: (around, towards the pole, forward). An ordinary
// panorama's pole is up (+y), a vertical one's is right (+x); the swap is
// its own inverse.
Vec3 poleFrame(bool verticalPanorama, const Vec3 &d) {
  return verticalPanorama ? Vec3{d.y, d.x, d.z} : d;
}

// Longitude and latitude (degrees) as shares of the image's spans: u along
// the longitude from its start, v along the latitude from its start.
ImagePoint imagePoint(const PanoramaPlacement &p, double u, double v) {
  return p.verticalPanorama ? ImagePoint{v, 1 - u} : ImagePoint{u, 1 - v};
}

bool inside(const ImagePoint &q) {
  return q.x >= 0 && q.x <= 1 && q.y >= 0 && q.y <= 1;
}

}  // namespace

AngularFov angularFov(const PanelSettings &panel, double filmAspect) {
  AngularFov fov{panel.hFovDegrees, panel.vFovDegrees};
  if (panel.autoVFov)
    fov.vertical = fov.horizontal * filmAspect;
  else if (panel.autoHFov)
    fov.horizontal = fov.vertical / filmAspect;
  return fov;
}

PanoramaPlacement placementOf(const PanelSettings &panel, double filmAspect,
                              const std::string &source) {
  if (panel.hPerspective || panel.vPerspective)
    throw InputError(source, "a perspective axis is no panorama to look around in");
  const auto [hFov, vFov] = angularFov(panel, filmAspect);
  // The forward ray sits at the film's centre minus the shift, which is a
  // share of the film and so the same share of the field.
  double across = -hFov / 2 + panel.hShiftPercent / 100 * hFov;
  double down = -vFov / 2 + panel.vShiftPercent / 100 * vFov;
  if (panel.verticalPanorama) return {true, down, vFov, across, hFov};
  return {false, across, hFov, down, vFov};
}

PanoramaPlacement placementOf(const PanoramaCoverage &c) {
  PanoramaPlacement p;
  p.longitudeStart = 360.0 * c.croppedLeft / c.fullWidth - 180;
  p.longitudeSpan = 360.0 * c.croppedWidth / c.fullWidth;
  p.latitudeSpan = 180.0 * c.croppedHeight / c.fullHeight;
  p.latitudeStart = 90 - 180.0 * c.croppedTop / c.fullHeight - p.latitudeSpan;
  return p;
}

Vec3 directionAt(const PanoramaPlacement &p, const ImagePoint &q) {
  // Inverse of imagePoint: u, v as shares of the longitude and latitude spans.
  double u = p.verticalPanorama ? 1 - q.y : q.x;
  double v = p.verticalPanorama ? q.x : 1 - q.y;
  double longitude = radians(p.longitudeStart + u * p.longitudeSpan);
  double latitude = radians(p.latitudeStart + v * p.latitudeSpan);
  Vec3 pole{std::cos(latitude) * std::sin(longitude), std::sin(latitude),
            std::cos(latitude) * std::cos(longitude)};
  return poleFrame(p.verticalPanorama, pole);
}

std::optional<ImagePoint> imagePointOf(const PanoramaPlacement &p, const Vec3 &direction) {
  Vec3 pole = poleFrame(p.verticalPanorama, direction);
  // atan2 on both angles keeps full precision next to the pole too.
  double longitude = degrees(std::atan2(pole.x, pole.z));
  double latitude = degrees(std::atan2(pole.y, std::hypot(pole.x, pole.z)));
  auto at = [&p](double lon, double lat) {
    double u = std::fmod(lon - p.longitudeStart, 360.0);
    if (u < 0) u += 360;
    return imagePoint(p, u / p.longitudeSpan, (lat - p.latitudeStart) / p.latitudeSpan);
  };
  ImagePoint point = at(longitude, latitude);
  if (inside(point)) return point;
  // Past a pole: the same direction half a turn round, latitude mirrored.
  point = at(longitude + 180, (latitude > 0 ? 180 : -180) - latitude);
  if (inside(point)) return point;
  return std::nullopt;
}

}  // namespace skyhost
