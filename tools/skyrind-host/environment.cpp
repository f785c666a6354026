#include "environment.h"

#include <stb_image.h>

#include <algorithm>

#include "input_error.h"

namespace skyhost {

Environment::Environment(const std::string &path) {
  int channels = 0;
  float *pixels = stbi_loadf(path.c_str(), &width_, &height_, &channels, 3);
  if (pixels == nullptr)
    throw InputError(path, std::string("cannot read the image: ") + stbi_failure_reason());
  rgb_.assign(pixels, pixels + 3 * static_cast<std::size_t>(width_) * height_);
  stbi_image_free(pixels);
}

Vec3 Environment::operator()(const Vec3 &d) const {
  double u = 0.5 + std::atan2(d.x, d.z) / (2 * kPi);
  double v = 0.5 - std::asin(std::clamp(d.y, -1.0, 1.0)) / kPi;
  int column = std::clamp(static_cast<int>(u * width_), 0, width_ - 1);
  int row = std::clamp(static_cast<int>(v * height_), 0, height_ - 1);
  const float *p = &rgb_[3 * (static_cast<std::size_t>(row) * width_ + column)];
  return {p[0], p[1], p[2]};
}

}  // namespace skyhost
