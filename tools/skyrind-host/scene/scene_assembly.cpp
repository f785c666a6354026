#include "scene/scene_assembly.h"

#include "scene/default_scene.h"
#include "scene/environment.h"
#include "scene/mesh_loader.h"
#include "scene/sky.h"

namespace skyhost {

std::unique_ptr<Scene> assembleScene(const std::string &mesh, const std::string &environment) {
  auto scene = std::make_unique<Scene>();
  if (mesh.empty()) {
    addDefaultScene(*scene);
  } else {
    addMesh(*scene, mesh);
  }
  if (environment.empty()) {
    scene->setBackground(skyColour);
  } else {
    scene->setBackground(Environment(environment));
  }
  scene->commit();
  return scene;
}

}  // namespace skyhost
