#include "scene/scene.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace skyhost {
namespace {

const Vec3 kSun = normalized({0.5, 0.8, -0.3});  // towards the light

// Grid lines every metre (wider every 5 m) fading out with distance, so
// that far away the ground stays calm instead of aliasing.
Vec3 gridAlbedo(const Vec3 &base, const Vec3 &p, double distance) {
  auto near = [](double v, double step) { return std::abs(v - step * std::round(v / step)); };
  bool line =
      std::min(near(p.x, 1), near(p.z, 1)) < 0.02 || std::min(near(p.x, 5), near(p.z, 5)) < 0.05;
  if (!line) return base;
  double fade = std::clamp(1.0 - distance / 60.0, 0.0, 1.0);
  return base + (Vec3{0.15, 0.15, 0.15} - base) * fade;
}

}  // namespace

Scene::Scene() {
  device_ = rtcNewDevice("verbose=0");
  if (device_ == nullptr) throw std::runtime_error("Embree: no device");
  scene_ = rtcNewScene(device_);
}

Scene::~Scene() {
  rtcReleaseScene(scene_);
  rtcReleaseDevice(device_);
}

void Scene::add(const TriangleMesh &mesh) {
  auto base = static_cast<std::uint32_t>(vertices_.size());
  vertices_.insert(vertices_.end(), mesh.vertices.begin(), mesh.vertices.end());
  for (const auto &t : mesh.triangles)
    triangles_.push_back({t[0] + base, t[1] + base, t[2] + base});
  surfaces_.insert(surfaces_.end(), mesh.surfaces.begin(), mesh.surfaces.end());
}

void Scene::commit() {
  if (!triangles_.empty()) {
    RTCGeometry geometry = rtcNewGeometry(device_, RTC_GEOMETRY_TYPE_TRIANGLE);
    auto *v = static_cast<float *>(rtcSetNewGeometryBuffer(geometry, RTC_BUFFER_TYPE_VERTEX, 0,
                                                           RTC_FORMAT_FLOAT3, 3 * sizeof(float),
                                                           vertices_.size()));
    for (std::size_t i = 0; i < vertices_.size(); ++i) {
      v[3 * i] = static_cast<float>(vertices_[i].x);
      v[3 * i + 1] = static_cast<float>(vertices_[i].y);
      v[3 * i + 2] = static_cast<float>(vertices_[i].z);
    }
    auto *index = static_cast<std::uint32_t *>(
        rtcSetNewGeometryBuffer(geometry, RTC_BUFFER_TYPE_INDEX, 0, RTC_FORMAT_UINT3,
                                3 * sizeof(std::uint32_t), triangles_.size()));
    for (std::size_t i = 0; i < triangles_.size(); ++i)
      std::copy(triangles_[i].begin(), triangles_[i].end(), index + 3 * i);
    rtcCommitGeometry(geometry);
    rtcAttachGeometry(scene_, geometry);
    rtcReleaseGeometry(geometry);
  }
  rtcCommitScene(scene_);
}

Vec3 Scene::trace(const Vec3 &origin, const Vec3 &direction) const {
  RTCIntersectContext context;
  rtcInitIntersectContext(&context);
  RTCRayHit hit{};
  hit.ray.org_x = static_cast<float>(origin.x);
  hit.ray.org_y = static_cast<float>(origin.y);
  hit.ray.org_z = static_cast<float>(origin.z);
  hit.ray.dir_x = static_cast<float>(direction.x);
  hit.ray.dir_y = static_cast<float>(direction.y);
  hit.ray.dir_z = static_cast<float>(direction.z);
  hit.ray.tnear = 1e-4f;
  hit.ray.tfar = std::numeric_limits<float>::infinity();
  hit.ray.mask = ~0u;
  hit.hit.geomID = RTC_INVALID_GEOMETRY_ID;
  rtcIntersect1(scene_, &context, &hit);
  if (hit.hit.geomID == RTC_INVALID_GEOMETRY_ID)
    return background_ ? background_(direction) : Vec3{};
  Vec3 normal = normalized({hit.hit.Ng_x, hit.hit.Ng_y, hit.hit.Ng_z});
  if (dot(normal, direction) > 0) normal = normal * -1.0;
  Vec3 point = origin + direction * hit.ray.tfar;
  return shade(surfaces_[hit.hit.primID], point, normal, hit.ray.tfar);
}

Vec3 Scene::shade(const Surface &surface, const Vec3 &point, const Vec3 &normal,
                  double distance) const {
  Vec3 albedo = surface.grid ? gridAlbedo(surface.albedo, point, distance) : surface.albedo;
  // Sky light from above plus the sun's diffuse term.
  double light = 0.55 + 0.15 * normal.y + 0.4 * std::max(0.0, dot(normal, kSun));
  return albedo * light;
}

}  // namespace skyhost
