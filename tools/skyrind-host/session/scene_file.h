// Scene files: a Shot as JSON.
#pragma once

#include <string>

#include "session/shot.h"

namespace skyhost {

// Writes through a temporary file in the same folder; throws InputError.
void writeSceneFile(const Shot &shot, const std::string &path);
// Throws InputError naming the file for an unreadable or malformed one.
Shot readSceneFile(const std::string &path);

}  // namespace skyhost
