// A picture in linear RGB floats, row 0 at the top.
#pragma once

#include <cstddef>
#include <vector>

#include "common/vec3.h"

namespace skyhost {

struct Image {
  Image(int w, int h, Vec3 fill = {}) : width(w), height(h) {
    rgb.reserve(3 * static_cast<std::size_t>(w) * h);
    for (std::size_t i = 0; i < static_cast<std::size_t>(w) * h; ++i)
      rgb.insert(rgb.end(), {float(fill.x), float(fill.y), float(fill.z)});
  }
  void set(int x, int y, const Vec3 &c) {
    float *p = &rgb[3 * (static_cast<std::size_t>(y) * width + x)];
    p[0] = float(c.x), p[1] = float(c.y), p[2] = float(c.z);
  }

  int width, height;
  std::vector<float> rgb;  // linear, premultiplied by alpha
  // The share of each pixel the camera sees, row by row; empty: all of it.
  std::vector<float> alpha;
};

}  // namespace skyhost
