// An equirectangular environment image as the background: the image centre
// looks forward (+z), its right half right (+x), its top row up (+y).
#pragma once

#include <string>
#include <vector>

#include "common/vec3.h"

namespace skyhost {

class Environment {
 public:
  // Reads any image stb_image knows (.hdr as is, 8-bit images as sRGB made
  // linear). Throws InputError naming the file.
  explicit Environment(const std::string &path);

  // Linear RGB along a unit direction (nearest pixel).
  Vec3 operator()(const Vec3 &direction) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<float> rgb_;
};

}  // namespace skyhost
