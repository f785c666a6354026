#include "scene/mesh_loader.h"

#include <tiny_obj_loader.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "common/file_bytes.h"
#include "common/input_error.h"

namespace skyhost {
namespace {

constexpr std::size_t kMaxPreviewTriangles = 100000;

std::string firstLine(const std::string &text) {
  std::string line = text.substr(0, text.find('\n'));
  return line.empty() ? "malformed OBJ" : line;
}

// The OBJ text without its skin-weight ("vw") lines: the tracer has no use
// for them, and tinyobjloader converts their joint ids to int unchecked, so
// an out-of-range id would be undefined behaviour. Lines end at \n or \r.
std::string withoutSkinWeights(const std::string &text) {
  std::string kept;
  kept.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
    const std::size_t first = std::min(text.find_first_not_of(" \t", at), end);
    const bool skinWeight = end - first > 2 && text.compare(first, 2, "vw") == 0 &&
                            (text[first + 2] == ' ' || text[first + 2] == '\t');
    if (!skinWeight) kept.append(text, at, end - at);
    if (end < text.size()) kept.push_back(text[end]);
    at = end + 1;
  }
  return kept;
}

}  // namespace

void addMesh(Scene &scene, const std::string &path) {
  std::istringstream obj(withoutSkinWeights(readFileBytes(path, "mesh")));
  // Material libraries are looked up beside the OBJ file.
  const std::size_t slash = path.find_last_of('/');
  tinyobj::MaterialFileReader materialFiles(slash == std::string::npos ? ""
                                                                       : path.substr(0, slash + 1));
  tinyobj::attrib_t attrib;
  std::vector<tinyobj::shape_t> shapes;
  std::vector<tinyobj::material_t> materials;
  std::string warning, error;
  if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warning, &error, &obj, &materialFiles,
                        /*triangulate=*/true, /*default_vcols_fallback=*/false))
    throw InputError(path, firstLine(error));
  const auto &positions = attrib.vertices;
  TriangleMesh mesh;
  for (std::size_t i = 0; i + 2 < positions.size(); i += 3) {
    Vec3 v{positions[i], positions[i + 1], positions[i + 2]};
    // Out-of-range numbers read as infinities, which the tracer cannot use.
    if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z))
      throw InputError(path, "a vertex is not a finite number");
    mesh.vertices.push_back(v);
  }
  for (const tinyobj::shape_t &shape : shapes) {
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
