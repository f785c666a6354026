#include "scene/environment.h"

#include <stb_image.h>

#include <algorithm>

#include "common/input_error.h"

namespace skyhost {

Environment::Environment(const std::string &path) {
  // Decoded in the file's own channels and made RGB here: stb_image's own
  // conversion to three channels overruns its buffer for 16-bit grey PNM.
  int channels = 0;
  float *pixels = stbi_loadf(path.c_str(), &width_, &height_, &channels, 0);
  if (pixels == nullptr)
    throw InputError(path, std::string("cannot read the image: ") + stbi_failure_reason());
  if (width_ <= 0 || height_ <= 0 || channels < 1 || channels > 4) {
    // stb_image answers some broken headers with a 0 x 0 image.
    stbi_image_free(pixels);
    throw InputError(path, "the image holds no pixel");
  }
  const std::size_t count = static_cast<std::size_t>(width_) * height_;
  rgb_.resize(3 * count);
  for (std::size_t i = 0; i < count; ++i) {
    const float *p = pixels + channels * i;
    const bool grey = channels < 3;  // grey, or grey and alpha
    for (int c = 0; c < 3; ++c) rgb_[3 * i + c] = grey ? p[0] : p[c];
  }
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
