#include "scene_assembly.h"

#include "default_scene.h"
#include "environment.h"
#include "mesh_loader.h"
#include "sky.h"

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
