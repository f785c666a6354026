// Stands in for the tool's Embree scene so that its mesh loader runs
// without Embree: keeps each mesh it is given, as given.
#pragma once

#include <vector>

#include "scene/scene.h"

namespace skyfuzz {

// The meshes every skyhost::Scene was given since the last clear.
std::vector<skyhost::TriangleMesh> &recordedMeshes();

}  // namespace skyfuzz
