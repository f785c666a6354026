// The scene the tool renders: triangles traced with Embree 3, simple
// diffuse shading, a background for rays that leave the scene, and the
// edges the preview draws. World space in metres, +y up.
#pragma once

#include <embree3/rtcore.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "common/vec3.h"

namespace skyhost {

struct Surface {
  Vec3 albedo{0.7, 0.7, 0.7};  // linear RGB
  bool grid = false;           // draws a 1 m grid of lines over the albedo
};

struct TriangleMesh {
  std::vector<Vec3> vertices;
  std::vector<std::array<std::uint32_t, 3>> triangles;
  std::vector<Surface> surfaces;  // one per triangle
};

// A line of the preview drawing, in world space, with its linear RGB colour.
struct Edge {
  Vec3 from, to, colour;
};

// Colour seen along a direction that hits nothing.
using Background = std::function<Vec3(const Vec3 &direction)>;

class Scene {
 public:
  Scene();
  ~Scene();
  Scene(const Scene &) = delete;
  Scene &operator=(const Scene &) = delete;

  void add(const TriangleMesh &mesh);
  void addEdge(const Edge &edge) { edges_.push_back(edge); }
  void setBackground(Background background) { background_ = std::move(background); }
  // Builds the acceleration structure; call once, after the last add.
  void commit();

  // Linear RGB seen along a ray (unit direction). Thread-safe after commit.
  Vec3 trace(const Vec3 &origin, const Vec3 &direction) const;

  const std::vector<Edge> &edges() const { return edges_; }
  std::size_t triangleCount() const { return triangles_.size(); }

 private:
  Vec3 shade(const Surface &surface, const Vec3 &point, const Vec3 &normal, double distance) const;

  RTCDevice device_ = nullptr;
  RTCScene scene_ = nullptr;
  std::vector<Vec3> vertices_;
  std::vector<std::array<std::uint32_t, 3>> triangles_;
  std::vector<Surface> surfaces_;
  std::vector<Edge> edges_;
  Background background_;
};

}  // namespace skyhost
