#include "mesh_loader.h"

#include <tiny_obj_loader.h>

#include <cmath>
#include <fstream>

#include "input_error.h"

namespace skyhost {
namespace {

constexpr std::size_t kMaxPreviewTriangles = 100000;

std::string firstLine(const std::string &text) {
  std::string line = text.substr(0, text.find('\n'));
  return line.empty() ? "malformed OBJ" : line;
}

}  // namespace

void addMesh(Scene &scene, const std::string &path) {
  if (!std::ifstream(path)) throw InputError(path, "cannot read the mesh");
  tinyobj::ObjReaderConfig config;
  config.triangulate = true;
  config.vertex_color = false;
  tinyobj::ObjReader reader;
  if (!reader.ParseFromFile(path, config)) throw InputError(path, firstLine(reader.Error()));
  const auto &positions = reader.GetAttrib().vertices;
  const auto &materials = reader.GetMaterials();
  TriangleMesh mesh;
  for (std::size_t i = 0; i + 2 < positions.size(); i += 3) {
    Vec3 v{positions[i], positions[i + 1], positions[i + 2]};
    // Out-of-range numbers read as infinities, which the tracer cannot use.
    if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z))
      throw InputError(path, "a vertex is not a finite number");
    mesh.vertices.push_back(v);
  }
  for (const tinyobj::shape_t &shape : reader.GetShapes()) {
    const tinyobj::mesh_t &m = shape.mesh;
    for (std::size_t f = 0; f < m.num_face_vertices.size(); ++f) {
      std::array<std::uint32_t, 3> t{};
      for (int k = 0; k < 3; ++k) {
        int index = m.indices[3 * f + k].vertex_index;
        if (index < 0 || static_cast<std::size_t>(index) >= mesh.vertices.size())
          throw InputError(path, "a face names a vertex that does not exist");
        t[k] = static_cast<std::uint32_t>(index);
      }
      Surface surface;
      int material = m.material_ids.empty() ? -1 : m.material_ids[f];
      if (material >= 0 && static_cast<std::size_t>(material) < materials.size()) {
        const auto &diffuse = materials[material].diffuse;
        surface.albedo = {diffuse[0], diffuse[1], diffuse[2]};
      }
      mesh.triangles.push_back(t);
      mesh.surfaces.push_back(surface);
    }
  }
  if (mesh.triangles.empty()) throw InputError(path, "the mesh holds no triangle");
  scene.add(mesh);
  for (std::size_t i = 0; i < mesh.triangles.size() && i < kMaxPreviewTriangles; ++i) {
    const auto &t = mesh.triangles[i];
    Vec3 colour = mesh.surfaces[i].albedo;
    for (int k = 0; k < 3; ++k)
      scene.addEdge({mesh.vertices[t[k]], mesh.vertices[t[(k + 1) % 3]], colour});
  }
}

}  // namespace skyhost
