#include "scene/default_scene.h"

namespace skyhost {
namespace {

const Vec3 kEye{0, 1.6, 0};              // the camera's default position
constexpr double kLandmarkDistance = 8;  // metres from the eye
constexpr double kLandmarkSize = 3;

void addBox(Scene &scene, const Vec3 &centre, const Vec3 &size, const Vec3 &colour) {
  TriangleMesh box;
  for (int i = 0; i < 8; ++i)
    box.vertices.push_back(centre +
                           size * Vec3{i & 1 ? 0.5 : -0.5, i & 2 ? 0.5 : -0.5, i & 4 ? 0.5 : -0.5});
  // Two triangles per face; corners are numbered by the bits x=1, y=2, z=4.
  const std::uint32_t faces[6][4] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1},
                                     {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
  for (const auto &f : faces) {
    box.triangles.push_back({f[0], f[1], f[2]});
    box.triangles.push_back({f[0], f[2], f[3]});
  }
  box.surfaces.assign(box.triangles.size(), Surface{colour, false});
  scene.add(box);
  for (int i = 0; i < 8; ++i)
    for (int bit = 1; bit < 8; bit <<= 1)
      if (!(i & bit)) scene.addEdge({box.vertices[i], box.vertices[i | bit], colour});
}

void addGround(Scene &scene) {
  constexpr double half = 500;
  TriangleMesh ground;
  ground.vertices = {{-half, 0, -half}, {half, 0, -half}, {half, 0, half}, {-half, 0, half}};
  ground.triangles = {{0, 1, 2}, {0, 2, 3}};
  ground.surfaces.assign(2, Surface{{0.45, 0.45, 0.42}, true});
  scene.add(ground);
  const Vec3 grey{0.35, 0.35, 0.35};
  for (int i = -20; i <= 20; ++i) {
    scene.addEdge({{double(i), 0, -20}, {double(i), 0, 20}, grey});
    scene.addEdge({{-20, 0, double(i)}, {20, 0, double(i)}, grey});
  }
}

// The sky's lines above the horizon, on a far sphere around the eye.
void addSkyEdges(Scene &scene) {
  constexpr double radius = 400, step = 5;
  const Vec3 colour{0.3, 0.45, 0.8};
  auto at = [&](double latitude, double longitude) {
    double la = radians(latitude), lo = radians(longitude);
    return kEye +
           Vec3{std::cos(la) * std::sin(lo), std::sin(la), std::cos(la) * std::cos(lo)} * radius;
  };
  for (double lat = 0; lat < 90; lat += 15)
    for (double lon = -180; lon < 180; lon += step)
      scene.addEdge({at(lat, lon), at(lat, lon + step), colour});
  for (double lon = -180; lon < 180; lon += 15)
    for (double lat = 0; lat < 90; lat += step)
      scene.addEdge({at(lat, lon), at(lat + step, lon), colour});
}

}  // namespace

void addDefaultScene(Scene &scene) {
  addGround(scene);
  const double d = kLandmarkDistance, s = kLandmarkSize;
  const Vec3 cube{s, s, s};
  addBox(scene, kEye + Vec3{0, 0, d}, cube, LandmarkColours::front);
  addBox(scene, kEye + Vec3{0, 0, -d}, cube, LandmarkColours::back);
  addBox(scene, kEye + Vec3{d, 0, 0}, cube, LandmarkColours::right);
  addBox(scene, kEye + Vec3{-d, 0, 0}, cube, LandmarkColours::left);
  addBox(scene, kEye + Vec3{0, 10, 0}, {2, 2, 2}, LandmarkColours::up);
  addBox(scene, {0, 0.025, 0}, {1.2, 0.05, 1.2}, LandmarkColours::down);
  addSkyEdges(scene);
}

}  // namespace skyhost
