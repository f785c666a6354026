// The tool's OBJ mesh loader on arbitrary bytes. The scene it fills is a
// recorder (no Embree).
//
// Holds for every input: the load adds one mesh or throws the tool's input
// error with a one-line message naming the file, never anything else; an
// added mesh has at least one triangle, one surface per triangle, every
// triangle index names a vertex, and every vertex and colour is finite; the
// preview gets three edges per triangle.
#include <cmath>

#include "fuzz/fuzz_check.h"
#include "fuzz/input_error_check.h"
#include "fuzz/scene_recorder.h"
#include "fuzz/temp_input.h"
#include "scene/mesh_loader.h"

namespace {

bool finite(const skyhost::Vec3 &v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

void checkMesh(const skyhost::TriangleMesh &mesh) {
  FUZZ_CHECK(!mesh.triangles.empty());
  FUZZ_CHECK(mesh.surfaces.size() == mesh.triangles.size());
  for (const auto &t : mesh.triangles)
    for (std::uint32_t index : t) FUZZ_CHECK(index < mesh.vertices.size());
  for (const skyhost::Vec3 &v : mesh.vertices) FUZZ_CHECK(finite(v));
  for (const skyhost::Surface &s : mesh.surfaces) FUZZ_CHECK(finite(s.albedo));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  skyfuzz::recordedMeshes().clear();
  skyfuzz::TempInput input("mesh.obj", data, size);
  skyhost::Scene scene;
  try {
    skyhost::addMesh(scene, input.path());
  } catch (const skyhost::InputError &error) {
    skyfuzz::checkInputError(error, input.path());
    FUZZ_CHECK(skyfuzz::recordedMeshes().empty());
    return 0;
  }
  FUZZ_CHECK(skyfuzz::recordedMeshes().size() == 1);
  const skyhost::TriangleMesh &mesh = skyfuzz::recordedMeshes().front();
  checkMesh(mesh);
  FUZZ_CHECK(scene.edges().size() == 3 * std::min<std::size_t>(mesh.triangles.size(), 100000));
  return 0;
}
