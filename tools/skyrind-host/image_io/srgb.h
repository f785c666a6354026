// Linear light to the sRGB transfer curve, clamped to [0, 1].
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace skyhost {

inline double toSrgb(float linear) {
  double c = linear > 0 ? std::min(static_cast<double>(linear), 1.0) : 0.0;  // NaN: 0
  return c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}

inline std::uint8_t toSrgb8(float linear) {
  return static_cast<std::uint8_t>(std::lround(toSrgb(linear) * 255));
}

inline std::uint16_t toSrgb16(float linear) {
  return static_cast<std::uint16_t>(std::lround(toSrgb(linear) * 65535));
}

}  // namespace skyhost
