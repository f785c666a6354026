// The scene a shot is rendered in: the user's mesh or the default geometry,
// against the environment image or the default sky.
#pragma once

#include <memory>
#include <string>

#include "scene/scene.h"

namespace skyhost {

// Empty paths choose the defaults. Throws InputError for a bad file.
std::unique_ptr<Scene> assembleScene(const std::string &mesh, const std::string &environment);

}  // namespace skyhost
