// A user's Wavefront OBJ mesh, triangulated, coloured by its materials'
// diffuse colour (grey without one).
#pragma once

#include <string>

#include "scene/scene.h"

namespace skyhost {

// Adds the mesh's triangles and their edges. Throws InputError naming the
// file when it cannot be read, is malformed or holds no triangle.
void addMesh(Scene &scene, const std::string &path);

}  // namespace skyhost
