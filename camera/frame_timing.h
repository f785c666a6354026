// The frame a camera last sampled: as the host announced it, and how many
// sample intervals its table spans.
#pragma once

#include <cstdint>

namespace skyrind {

struct FrameTiming {
  int32_t frameNumber;
  double start;     // exposure start, seconds
  double duration;  // exposure length, seconds
  double framesPerSecond;
  uint32_t sampleCount;  // sample intervals: 4 × the host's motion steps
};

}  // namespace skyrind
