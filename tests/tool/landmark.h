// Which landmark of the default scene a pixel shows, told by its hue.
#pragma once

#include <array>
#include <string>

namespace tooltest {

// The landmark colours as 8-bit sRGB, with the sky and ground for "other".
inline std::string landmarkOf(const std::array<int, 3> &p) {
  struct Named {
    const char *name;
    std::array<double, 3> rgb;
  };
  const Named colours[] = {{"front red", {243, 63, 63}},   {"back yellow", {250, 231, 63}},
                           {"right green", {63, 225, 89}}, {"left blue", {89, 124, 250}},
                           {"up magenta", {237, 89, 231}}, {"down cyan", {63, 231, 237}},
                           {"sky", {150, 185, 240}},       {"grey", {180, 180, 180}}};
  auto chroma = [](std::array<double, 3> c) {
    double sum = c[0] + c[1] + c[2] + 1e-9;
    return std::array<double, 2>{c[0] / sum, c[1] / sum};
  };
  auto pc = chroma({double(p[0]), double(p[1]), double(p[2])});
  std::string best;
  double bestDistance = 1e9;
  for (const Named &n : colours) {
    auto c = chroma(n.rgb);
    double d = (c[0] - pc[0]) * (c[0] - pc[0]) + (c[1] - pc[1]) * (c[1] - pc[1]);
    if (d < bestDistance) bestDistance = d, best = n.name;
  }
  return best;
}

}  // namespace tooltest
