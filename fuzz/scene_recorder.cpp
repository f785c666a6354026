#include "fuzz/scene_recorder.h"

namespace skyfuzz {

std::vector<skyhost::TriangleMesh> &recordedMeshes() {
  static std::vector<skyhost::TriangleMesh> meshes;
  return meshes;
}

}  // namespace skyfuzz

namespace skyhost {

Scene::Scene() = default;
Scene::~Scene() = default;

void Scene::add(const TriangleMesh &mesh) {
  skyfuzz::recordedMeshes().push_back(mesh);
}

}  // namespace skyhost
