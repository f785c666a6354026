// Doubles as a hostile host may hand them: special values (NaN, ±inf, ±0,
// denormals, the extremes), raw bit patterns, or ordinary values in a range.
// An exhausted input gives the ordinary value `low`, so short inputs describe
// a sound camera.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace skyrind_fuzz {

inline double hostValue(FuzzedDataProvider &in, double low, double high) {
  using limits = std::numeric_limits<double>;
  static constexpr double kSpecial[] = {0.0,
                                        -0.0,
                                        limits::quiet_NaN(),
                                        limits::infinity(),
                                        -limits::infinity(),
                                        limits::denorm_min(),
                                        -limits::denorm_min(),
                                        limits::min(),
                                        limits::max(),
                                        -limits::max(),
                                        1e-300,
                                        1e300,
                                        1.0,
                                        -1.0,
                                        3.141592653589793,
                                        6.283185307179586,
                                        1.5707963267948966};
  switch (in.ConsumeIntegralInRange<int>(0, 7)) {
    case 6:
      return kSpecial[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kSpecial) - 1)];
    case 7: {
      const std::uint64_t bits = in.ConsumeIntegral<std::uint64_t>();
      double value;
      std::memcpy(&value, &bits, sizeof value);
      return value;
    }
    default:
      return in.ConsumeFloatingPointInRange(low, high);
  }
}

}  // namespace skyrind_fuzz
