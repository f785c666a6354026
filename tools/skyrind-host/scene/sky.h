// The default background: a sky graded from horizon to zenith with lines
// every 15 degrees of latitude and longitude, so angles read off a panorama.
#pragma once

#include "common/vec3.h"

namespace skyhost {

// Linear RGB along a unit direction.
Vec3 skyColour(const Vec3 &direction);

}  // namespace skyhost
